#pragma once
// Buffered byte input over a file or a block of memory. The drawing readers
// consume bytes one at a time; this keeps that cheap and gives the position
// and length that progress reporting needs.
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

class KByteSource {
public:
  // Opens a file for reading. ok() is false when it cannot be opened.
  static KByteSource FromFile(const std::string& path);
  // Reads from a private copy of the given bytes.
  static KByteSource FromMemory(std::string bytes);

  KByteSource(KByteSource&& other) noexcept;
  KByteSource& operator=(KByteSource&& other) noexcept;
  KByteSource(const KByteSource&) = delete;
  KByteSource& operator=(const KByteSource&) = delete;
  ~KByteSource();

  bool ok() const { return ok_; }
  // Next byte as 0..255, or -1 at the end of the input.
  int Get() {
    if (pos_ < end_) return static_cast<unsigned char>(buf_[pos_++]);
    return Refill();
  }
  // Bytes consumed so far, from the start of the input.
  std::int64_t Position() const { return base_ + static_cast<std::int64_t>(pos_); }
  // Total size of the input in bytes.
  std::int64_t Length() const { return length_; }
  // Moves back to the start (used when a reader must re-read a file).
  void Rewind();

private:
  KByteSource() = default;
  int Refill();

  std::FILE* file_ = nullptr;
  bool ok_ = false;
  std::vector<char> buf_;
  std::size_t pos_ = 0;
  std::size_t end_ = 0;
  std::int64_t base_ = 0;    // file offset of buf_[0]
  std::int64_t length_ = 0;
  bool memory_ = false;
};
