#include "tests/support/result_checks.h"

::testing::AssertionResult StatusAndText(int got, int want, const std::string& text, TextParts parts) {
  if (got != want) return ::testing::AssertionFailure() << "status " << got << ", not " << want << ":\n" << text;
  for (const std::string& part : parts)
    if (text.find(part) == std::string::npos)
      return ::testing::AssertionFailure() << "\"" << part << "\" not in:\n" << text;
  return ::testing::AssertionSuccess();
}
