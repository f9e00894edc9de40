#pragma once

#include <optional>
#include <QByteArrayView>
#include <QLocale>
#include <QString>
#include <QStringView>

// How the program reads and writes numbers.
namespace textio {

// Lenient reading, for every number taken from a file and for the text of the fields the pilot
// types numbers into. Blanks (space, tab, line feed) are skipped wherever they stand; then come an
// optional sign, digits with at most one "." as the decimal point (whatever the locale) and an
// optional exponent. Reading stops at the first character that cannot continue the number; text
// without a leading number gives 0. It never fails: a number beyond the range of a double gives
// plus or minus infinity, which the callers treat as too large.
double lenientNumber(QByteArrayView text);
double lenientNumber(QStringView text);

// Strict reading, in the user's locale: apart from surrounding blanks, the whole text must be a
// finite number. Empty or other text gives no value.
std::optional<double> strictNumber(const QString& text, const QLocale& locale = QLocale());

// A whole number in plain decimal digits, with a leading "-" when negative, without grouping or
// decimal point ("57275", "-58"), however large. value must be a whole number.
QString wholeNumberText(double value);

// A whole number as wholeNumberText; a number with a fraction in its shortest form, with the
// decimal separator of the locale and no grouping.
QString numberText(double value, const QLocale& locale = QLocale());

} // namespace textio
