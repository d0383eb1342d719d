#include "platform/byte_source.h"

#include <sys/stat.h>

#include <utility>

namespace {
constexpr std::size_t kChunk = 1 << 16;
}

KByteSource KByteSource::FromFile(const std::string& path) {
  KByteSource s;
  s.file_ = std::fopen(path.c_str(), "rb");
  if (!s.file_) return s;
  // A directory opens but cannot be read: treat it as not openable.
  struct stat info;
  if (fstat(fileno(s.file_), &info) == 0 && S_ISDIR(info.st_mode)) {
    std::fclose(s.file_);
    s.file_ = nullptr;
    return s;
  }
  if (std::fseek(s.file_, 0, SEEK_END) == 0) {
    long n = std::ftell(s.file_);
    s.length_ = n < 0 ? 0 : n;
  }
  std::fseek(s.file_, 0, SEEK_SET);
  s.buf_.resize(kChunk);
  s.ok_ = true;
  return s;
}

KByteSource KByteSource::FromMemory(std::string bytes) {
  KByteSource s;
  s.memory_ = true;
  s.length_ = static_cast<std::int64_t>(bytes.size());
  s.buf_.assign(bytes.begin(), bytes.end());
  s.end_ = s.buf_.size();
  s.ok_ = true;
  return s;
}

KByteSource::KByteSource(KByteSource&& o) noexcept { *this = std::move(o); }

KByteSource& KByteSource::operator=(KByteSource&& o) noexcept {
  if (this != &o) {
    if (file_) std::fclose(file_);
    file_ = std::exchange(o.file_, nullptr);
    ok_ = std::exchange(o.ok_, false);
    buf_ = std::move(o.buf_);
    pos_ = std::exchange(o.pos_, 0);
    end_ = std::exchange(o.end_, 0);
    base_ = std::exchange(o.base_, 0);
    length_ = std::exchange(o.length_, 0);
    memory_ = std::exchange(o.memory_, false);
  }
  return *this;
}

KByteSource::~KByteSource() {
  if (file_) std::fclose(file_);
}

int KByteSource::Refill() {
  if (memory_ || !file_) return -1;
  base_ += static_cast<std::int64_t>(end_);
  pos_ = 0;
  end_ = std::fread(buf_.data(), 1, buf_.size(), file_);
  if (end_ == 0) return -1;
  return static_cast<unsigned char>(buf_[pos_++]);
}

void KByteSource::Rewind() {
  pos_ = 0;
  if (memory_) return;
  if (file_) std::fseek(file_, 0, SEEK_SET);
  base_ = 0;
  end_ = 0;
}
