#include "platform/files/line_index.h"

#include <algorithm>

#include "platform/files/input_file.h"

KLineIndex::KLineIndex(const std::string& path) {
  KResultWith<KInputFile> file = OpenInputFile(path);
  if (!file) return;
  starts_.push_back(0);
  std::int64_t at = 0;
  char chunk[1 << 16];
  for (;;) {
    const std::int64_t got = file.value().Read(chunk, sizeof chunk);
    if (got < 0) {
      starts_.clear();
      return;
    }
    for (std::int64_t k = 0; k < got; ++k)
      if (chunk[k] == '\n') starts_.push_back(at + k + 1);
    at += got;
    if (got < static_cast<std::int64_t>(sizeof chunk)) break;
  }
  size_ = at;
}

bool KLineIndex::Locate(std::int64_t offset, std::int64_t& line, std::int64_t& column) const {
  if (size_ < 0 || offset < 0 || offset > size_) return false;
  // The last line start at or before offset.
  const auto next = std::upper_bound(starts_.begin(), starts_.end(), offset);
  line = next - starts_.begin();
  column = offset - *(next - 1) + 1;
  return true;
}
