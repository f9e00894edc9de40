#include "textio/numbers.h"

#include "textio/cnumber.h"

#include <charconv>
#include <cmath>
#include <string>

namespace textio {
namespace {

bool isBlank(char16_t c) {
    return c == u' ' || c == u'\t' || c == u'\n';
}
bool isDigit(char16_t c) {
    return c >= u'0' && c <= u'9';
}

// Walks the characters of a text, skipping blanks wherever they stand.
template <typename Char> class Scanner {
public:
    Scanner(const Char* begin, const Char* end)
        : p_(begin)
        , end_(end) {}

    // The next character that is not a blank, or 0 at the end.
    char16_t peek() {
        while (p_ != end_ && isBlank(static_cast<char16_t>(*p_))) {
            ++p_;
        }
        return p_ == end_ ? u'\0' : static_cast<char16_t>(*p_);
    }
    void take() { ++p_; }

private:
    const Char* p_;
    const Char* end_;
};

// Digits of the exponent beyond this change nothing: the number is out of range either way.
constexpr long kExponentCap = 100000;

template <typename Char> double readLenient(const Char* begin, const Char* end) {
    Scanner<Char> in(begin, end);
    std::string number; // the number without blanks, in the form from_chars reads
    bool negative = false;
    if (in.peek() == u'+' || in.peek() == u'-') {
        negative = in.peek() == u'-';
        in.take();
    }
    bool point = false;
    bool significant = false; // a digit other than zero was met
    for (char16_t c = in.peek(); isDigit(c) || (c == u'.' && !point); c = in.peek()) {
        in.take();
        point = point || c == u'.';
        significant = significant || (c != u'.' && c != u'0');
        number += static_cast<char>(c);
    }
    if (!significant) {
        return negative ? -0.0 : 0.0;
    }
    long exponent = 0;
    if (in.peek() == u'e' || in.peek() == u'E') {
        Scanner<Char> look = in;
        look.take();
        bool negativeExponent = false;
        if (look.peek() == u'+' || look.peek() == u'-') {
            negativeExponent = look.peek() == u'-';
            look.take();
        }
        if (isDigit(look.peek())) {
            for (char16_t c = look.peek(); isDigit(c); c = look.peek()) {
                look.take();
                exponent = std::min(exponent * 10 + (c - u'0'), kExponentCap);
            }
            if (negativeExponent) {
                exponent = -exponent;
            }
        }
    }
    number += 'e';
    number += std::to_string(exponent);

    double value = 0;
    const auto result = std::from_chars(number.data(), number.data() + number.size(), value);
    if (result.ec == std::errc::result_out_of_range) {
        // Beyond the range, or so small that only a subnormal number is left: the C library
        // gives infinity or the nearest subnormal (or zero), as IEEE arithmetic would.
        value = cLocaleNumber(number.c_str());
    }
    return negative ? -value : value;
}

} // namespace

double lenientNumber(QByteArrayView text) {
    return readLenient(text.data(), text.data() + text.size());
}

double lenientNumber(QStringView text) {
    return readLenient(text.utf16(), text.utf16() + text.size());
}

std::optional<double> strictNumber(const QString& text, const QLocale& locale) {
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty()) {
        return std::nullopt;
    }
    bool ok = false;
    const double value = locale.toDouble(trimmed, &ok);
    if (!ok || !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

QString wholeNumberText(double value) {
    // 0.0 added turns a negative zero into zero, so it is never written as "-0".
    value += 0.0;
    char digits[512];
    const auto result =
        std::to_chars(digits, digits + sizeof digits, value, std::chars_format::fixed);
    Q_ASSERT(result.ec == std::errc());
    return QString::fromLatin1(digits, result.ptr - digits);
}

QString numberText(double value, const QLocale& locale) {
    if (std::isfinite(value) && value == std::floor(value)) {
        return wholeNumberText(value);
    }
    QLocale plain = locale;
    plain.setNumberOptions(QLocale::OmitGroupSeparator);
    return plain.toString(value, 'g', QLocale::FloatingPointShortest);
}

} // namespace textio
