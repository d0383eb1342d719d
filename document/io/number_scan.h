#pragma once
// Fast, exact replacement for the comma-separated number formats of the
// drawing format ("%lf,%lf", "%lf,%lf,%lf", "%lf,%lf,%lf,%lf,%d"). Reading a
// large drawing spends most of its time in sscanf; plain decimal numbers are
// converted here directly, and any text this code does not handle itself
// (hexadecimal, inf, nan, out-of-range values, odd forms) goes to sscanf, so
// results are always exactly those of sscanf under the C locale.

// Same result and stores as sscanf(text, "%lf,%lf,..." with doubleCount
// "%lf" conversions, followed by ",%d" when trailingInt is non-null).
// Unconverted outputs keep their values. Callers hold a KCLocaleScope (the
// fallback is sscanf itself).
int ScanCommaNumbers(const char* text, double* values, int doubleCount, int* trailingInt = nullptr);
