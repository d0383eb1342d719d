#pragma once
#include <cstdint>
#include <string>

// Something a reader skipped or rejected: what, where (byte offset of the
// input), and why. Readers stay silent toward the host; programs show these.
struct KReadIssue {
  std::string what;
  std::int64_t offset = 0;
  std::string why;
};
