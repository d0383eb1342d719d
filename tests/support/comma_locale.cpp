#include "tests/support/comma_locale.h"

#include <clocale>
#include <cstdio>

CommaLocale::CommaLocale() : saved_(std::setlocale(LC_ALL, nullptr)) {
  if (!std::setlocale(LC_ALL, "de_DE.UTF-8")) return;
  double probe = 0;
  active_ = std::sscanf("1,5", "%lf", &probe) == 1 && probe == 1.5;
}

CommaLocale::~CommaLocale() { std::setlocale(LC_ALL, saved_.c_str()); }
