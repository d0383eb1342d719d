#include "platform/files/byte_source.h"

#include <cstring>
#include <utility>

KResultWith<KByteSource> KByteSource::FromFile(const std::string& path) {
  KResultWith<KInputFile> opened = OpenInputFile(path);
  if (!opened) return KResult(opened);
  KByteSource s;
  s.file_ = std::move(opened.value());
  s.length_ = s.file_.size();
  // A small file needs no full block (the size may change after opening, so
  // this is a first size only).
  const std::int64_t first = s.length_ + 1;
  s.buf_.resize(first > 0 && static_cast<std::uint64_t>(first) < kBlock ? static_cast<std::size_t>(first) : kBlock);
  s.PointAtStorage();
  return s;
}

KByteSource KByteSource::FromMemory(std::string bytes) {
  KByteSource s;
  s.isMemory_ = true;
  s.length_ = static_cast<std::int64_t>(bytes.size());
  s.memory_ = std::move(bytes);
  s.PointAtStorage();
  s.end_ = s.memory_.size();
  return s;
}

void KByteSource::PointAtStorage() { data_ = isMemory_ ? memory_.data() : buf_.data(); }

KByteSource::KByteSource(KByteSource&& o) noexcept { *this = std::move(o); }

KByteSource& KByteSource::operator=(KByteSource&& o) noexcept {
  if (this != &o) {
    file_ = std::move(o.file_);
    buf_ = std::move(o.buf_);
    memory_ = std::move(o.memory_);
    pos_ = std::exchange(o.pos_, 0);
    end_ = std::exchange(o.end_, 0);
    base_ = std::exchange(o.base_, 0);
    length_ = std::exchange(o.length_, 0);
    isMemory_ = std::exchange(o.isMemory_, false);
    PointAtStorage();
    o.data_ = nullptr;
  }
  return *this;
}

bool KByteSource::Refill() {
  if (isMemory_ || !file_.is_open()) return false;
  const std::size_t kept = end_ - pos_;
  if (pos_ > 0) {
    std::memmove(buf_.data(), buf_.data() + pos_, kept);
    base_ += static_cast<std::int64_t>(pos_);
    pos_ = 0;
    end_ = kept;
  }
  if (end_ == buf_.size()) {
    if (buf_.size() >= kBlock) return false;
    buf_.resize(kBlock);  // the file grew past its first size
    PointAtStorage();
  }
  // A read error ends the input as the end of the file would.
  const std::int64_t got = file_.Read(buf_.data() + end_, buf_.size() - end_);
  if (got <= 0) return false;
  end_ += static_cast<std::size_t>(got);
  return true;
}

std::size_t KByteSource::Ensure(std::size_t n) {
  while (Available() < n && Refill()) {
  }
  return Available();
}

void KByteSource::Rewind() {
  pos_ = 0;
  if (isMemory_) return;
  file_.Rewind();
  base_ = 0;
  end_ = 0;
}
