#pragma once
// Numbers in fixed notation as printf's "%.*f" writes them in the C locale,
// through std::to_chars: it rounds the same way, never looks at the locale
// and is many times faster than printf's exact conversion, which matters
// where a label or a line is written for every point.
#include <string>

// value with the given number of decimals (0 when negative); "inf", "-inf",
// "nan" and "-nan" for the values that have no digits.
std::string FixedNumberText(double value, int decimals);

// FixedNumberText with the trailing zeros of the decimals removed, and the
// point too when nothing follows it: 2.5 -> "2.5", 10 -> "10".
std::string TrimmedNumberText(double value, int decimals);
