// The fast comma-number scanner must give exactly what sscanf gives.
#include "io/document/number_scan.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <random>
#include <string>

#include "platform/base/c_locale.h"

namespace {

struct Result {
  int count;
  double v[4];
  int tag;
};

// Both scanners start from the same sentinel outputs, so a value that one
// of them stores and the other does not shows up as a difference.
Result Fast(const std::string& text, int doubles, bool withInt) {
  Result r{0, {-11, -12, -13, -14}, -15};
  r.count = ScanCommaNumbers(text.c_str(), r.v, doubles, withInt ? &r.tag : nullptr);
  return r;
}

Result Reference(const std::string& text, int doubles, bool withInt) {
  Result r{0, {-11, -12, -13, -14}, -15};
  const char* s = text.c_str();
  if (withInt) {
    r.count = std::sscanf(s, "%lf,%lf,%lf,%lf,%d", &r.v[0], &r.v[1], &r.v[2], &r.v[3], &r.tag);
  } else if (doubles == 2) {
    r.count = std::sscanf(s, "%lf,%lf", &r.v[0], &r.v[1]);
  } else {
    r.count = std::sscanf(s, "%lf,%lf,%lf", &r.v[0], &r.v[1], &r.v[2]);
  }
  return r;
}

void ExpectSame(const std::string& text, int doubles, bool withInt) {
  const Result a = Fast(text, doubles, withInt), b = Reference(text, doubles, withInt);
  ASSERT_EQ(a.count, b.count) << "'" << text << "'";
  // Bitwise: -0.0 and every rounding must agree.
  ASSERT_EQ(std::memcmp(a.v, b.v, sizeof a.v), 0) << "'" << text << "' " << a.v[0] << " " << b.v[0];
  ASSERT_EQ(a.tag, b.tag) << "'" << text << "'";
}

TEST(ScanCommaNumbers, ChosenEdgeCases) {
  KCLocaleScope c;
  const char* cases[] = {
      "", " ", "1", "1,", "1,2", "1.5,-2.25,3e2,4E-2,7", " 1, 2 ,3", "1 ,2", "-0,+0", ".5,5.", ".", "-", "+,1",
      "1e,2", "1e+,2", "1e5x,2", "0x10,2", "0X1p3,1", "inf,1", "-nan,2", "infinity", "1e999,1e-999", "2e-320,1",
      "1,2,3,4,99999999999", "1,2,3,4,-2147483648", "1,2,3,4,+7", "1,2,3,4,-", "1,2,3,4, 12", "1,2,3,4,1.5",
      "1.2.3,4", "00012.50,007", "123456789012345678901234567890.123456789,1", "0.1000000000000000055511151231257827,0",
      "\t\n\v\f\r1,2", "1,\t2", "1;2", "S", "code 7", "W 0.5", "BS", "-.5e-3,-.e1",
  };
  for (const char* text : cases) {
    ExpectSame(text, 4, true);
    ExpectSame(text, 2, false);
    ExpectSame(text, 3, false);
  }
}

TEST(ScanCommaNumbers, RandomTextsAgreeWithSscanf) {
  KCLocaleScope c;
  std::mt19937 rng(20261207);
  const std::string alphabet = "0123456789012345678901234567890123456789...,,,,,--+eE  \txXianf";
  std::uniform_int_distribution<int> length(0, 24);
  std::uniform_int_distribution<std::size_t> pick(0, alphabet.size() - 1);
  for (int i = 0; i < 200000; ++i) {
    std::string text;
    for (int n = length(rng); n > 0; --n) text += alphabet[pick(rng)];
    ExpectSame(text, 4, true);
    ExpectSame(text, 2, false);
    if (HasFatalFailure()) return;
  }
}

TEST(ScanCommaNumbers, RandomNumbersRoundExactlyLikeSscanf) {
  KCLocaleScope c;
  std::mt19937 rng(7);
  auto digits = [&](int maxCount) {
    std::string d;
    for (int n = std::uniform_int_distribution<int>(0, maxCount)(rng); n > 0; --n)
      d += static_cast<char>('0' + std::uniform_int_distribution<int>(0, 9)(rng));
    return d;
  };
  auto number = [&] {
    std::string n;
    const int sign = std::uniform_int_distribution<int>(0, 3)(rng);
    if (sign == 1) n += '-';
    if (sign == 2) n += '+';
    n += digits(20);
    if (rng() % 2) n += "." + digits(25);
    if (rng() % 3 == 0) n += std::string(rng() % 2 ? "e" : "E") + (rng() % 2 ? "-" : "") + digits(3);
    return n;
  };
  for (int i = 0; i < 100000; ++i) {
    std::string text = number();
    for (int k = 0; k < 4; ++k) text += (rng() % 10 ? "," : " ,") + number();
    ExpectSame(text, 4, true);
    ExpectSame(text, 3, false);
    if (HasFatalFailure()) return;
  }
}

}  // namespace
