#pragma once
// Line and column of byte offsets in a file, for messages people read:
// readers report where they are as a byte offset, a person looks for a line.
#include <cstdint>
#include <string>
#include <vector>

class KLineIndex {
public:
  // Reads the file at path once; a file that cannot be read locates nothing.
  explicit KLineIndex(const std::string& path);

  // The 1-based line and column (counted in bytes) of offset; false when
  // the offset lies outside the file as read.
  bool Locate(std::int64_t offset, std::int64_t& line, std::int64_t& column) const;

private:
  std::vector<std::int64_t> starts_;  // offset where each line starts
  std::int64_t size_ = -1;            // bytes read; -1 when unreadable
};
