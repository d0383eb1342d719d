#include "tests/support/result_checks.h"

::testing::AssertionResult FailedWith(const KResult& r, KStatus status, std::initializer_list<std::string> parts) {
  if (r.status() != status)
    return ::testing::AssertionFailure() << "status " << static_cast<int>(r.status()) << ", not "
                                         << static_cast<int>(status) << ": \"" << r.message() << "\"";
  for (const std::string& part : parts)
    if (r.message().find(part) == std::string::npos)
      return ::testing::AssertionFailure() << "\"" << part << "\" not in \"" << r.message() << "\"";
  return ::testing::AssertionSuccess();
}
