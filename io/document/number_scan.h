#pragma once
// Fast, exact replacement for the comma-separated number formats of the
// drawing format ("%lf,%lf", "%lf,%lf,%lf", "%lf,%lf,%lf,%lf,%d"). Reading a
// large drawing spends most of its time converting numbers; plain decimal
// numbers are converted here in one pass, and any text this code does not
// handle itself (hexadecimal, out-of-range values, a number running into
// letters, odd forms) goes to sscanf, so results are always exactly those of
// sscanf under the C locale.
#include <string_view>

// Same result and stores as sscanf(text, "%lf,%lf,..." with doubleCount
// "%lf" conversions, followed by ",%d" when trailingInt is non-null).
// Unconverted outputs keep their values. Callers hold a KCLocaleScope (the
// fallback is sscanf itself).
int ScanCommaNumbers(std::string_view text, double* values, int doubleCount, int* trailingInt = nullptr);
// The same over a C string.
int ScanCommaNumbers(const char* text, double* values, int doubleCount, int* trailingInt = nullptr);
