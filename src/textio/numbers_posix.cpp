#include "textio/cnumber.h"

#include <clocale>
#include <cstdlib>
#include <locale.h>

namespace textio {

double cLocaleNumber(const char* text) {
    static const locale_t cLocale = newlocale(LC_ALL_MASK, "C", locale_t{});
    return strtod_l(text, nullptr, cLocale);
}

} // namespace textio
