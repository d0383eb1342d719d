#include "platform/byte_source.h"

#include <utility>

namespace {
constexpr std::size_t kChunk = 1 << 16;
}

KResultWith<KByteSource> KByteSource::FromFile(const std::string& path) {
  KResultWith<KInputFile> opened = OpenInputFile(path);
  if (!opened) return KResult(opened);
  KByteSource s;
  s.file_ = std::move(opened.value());
  s.length_ = s.file_.size();
  s.buf_.resize(kChunk);
  return s;
}

KByteSource KByteSource::FromMemory(std::string bytes) {
  KByteSource s;
  s.memory_ = true;
  s.length_ = static_cast<std::int64_t>(bytes.size());
  s.buf_.assign(bytes.begin(), bytes.end());
  s.end_ = s.buf_.size();
  return s;
}

KByteSource::KByteSource(KByteSource&& o) noexcept { *this = std::move(o); }

KByteSource& KByteSource::operator=(KByteSource&& o) noexcept {
  if (this != &o) {
    file_ = std::move(o.file_);
    buf_ = std::move(o.buf_);
    pos_ = std::exchange(o.pos_, 0);
    end_ = std::exchange(o.end_, 0);
    base_ = std::exchange(o.base_, 0);
    length_ = std::exchange(o.length_, 0);
    memory_ = std::exchange(o.memory_, false);
  }
  return *this;
}

int KByteSource::Refill() {
  if (memory_ || !file_.is_open()) return -1;
  base_ += static_cast<std::int64_t>(end_);
  pos_ = 0;
  end_ = 0;
  // A read error ends the input as the end of the file would.
  const std::int64_t got = file_.Read(buf_.data(), buf_.size());
  if (got <= 0) return -1;
  end_ = static_cast<std::size_t>(got);
  return static_cast<unsigned char>(buf_[pos_++]);
}

void KByteSource::Rewind() {
  pos_ = 0;
  if (memory_) return;
  file_.Rewind();
  base_ = 0;
  end_ = 0;
}
