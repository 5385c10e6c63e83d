#pragma once

#include <string>

// Number <-> text conversions of the keyed files, independent of the
// process locale (a desktop locale with a decimal comma must not change
// what the files hold).
namespace kova {

// Leading decimal integer as atoi/atol read it: leading blanks, an optional
// sign, digits up to the first other character; no digits gives 0. Values
// beyond the type's range saturate.
int ParseInt(const std::string& text);
long ParseLong(const std::string& text);
// Leading real number as strtod reads it (with exponent, inf, nan); 0 when
// the text does not start with a number.
double ParseDouble(const std::string& text);

std::string FormatInt(long value);
// "%f": fixed with six decimals.
std::string FormatFixed6(double value);
// printf-style "%.*f" with the given number of decimals.
std::string FormatFixed(double value, int decimals);

} // namespace kova
