#pragma once

// Reading a number in the C locale, whatever locale the program runs in. Its form differs
// between POSIX systems and Windows.
namespace textio {

// The number text begins with, read as strtod reads it in the C locale: beyond the range of a
// double plus or minus infinity, below it the nearest subnormal number or zero.
double cLocaleNumber(const char* text);

} // namespace textio
