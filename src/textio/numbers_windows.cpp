#include "textio/cnumber.h"

#include <clocale>
#include <cstdlib>
#include <locale.h>

namespace textio {

double cLocaleNumber(const char* text) {
    static const _locale_t cLocale = _create_locale(LC_ALL, "C");
    return _strtod_l(text, nullptr, cLocale);
}

} // namespace textio
