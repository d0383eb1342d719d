#pragma once
// Buffered byte input over a file or a block of memory. The drawing readers
// scan a window of contiguous bytes in place (no copy per token); a file is
// read in large blocks, and Ensure() slides the window so that a token or a
// line of bounded length is always contiguous. Get() serves byte-wise
// readers.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/files/input_file.h"
#include "platform/base/result.h"

class KByteSource {
public:
  // Opens a file for reading (OpenInputFile: regular files only). On failure
  // the result says why and the source holds no input.
  static KResultWith<KByteSource> FromFile(const std::string& path);
  // Reads from the given bytes, which the source takes over.
  static KByteSource FromMemory(std::string bytes);

  KByteSource() = default;  // no input: Get() returns -1 at once
  KByteSource(KByteSource&& other) noexcept;
  KByteSource& operator=(KByteSource&& other) noexcept;
  KByteSource(const KByteSource&) = delete;
  KByteSource& operator=(const KByteSource&) = delete;
  ~KByteSource() = default;

  // Next byte as 0..255, or -1 at the end of the input.
  int Get() {
    if (pos_ < end_) return static_cast<unsigned char>(data_[pos_++]);
    return Refill() ? static_cast<unsigned char>(data_[pos_++]) : -1;
  }
  // The bytes buffered from the current position on, and how many there are.
  const char* Cursor() const { return data_ + pos_; }
  std::size_t Available() const { return end_ - pos_; }
  // Makes at least n bytes contiguous at Cursor() when the input holds that
  // many (n at most a block); returns Available(). Cursor() may move.
  std::size_t Ensure(std::size_t n);
  // Consumes n of the available bytes.
  void Advance(std::size_t n) { pos_ += n; }
  // Bytes consumed so far, from the start of the input.
  std::int64_t Position() const { return base_ + static_cast<std::int64_t>(pos_); }
  // Total size of the input in bytes.
  std::int64_t Length() const { return length_; }
  // Moves back to the start (used when a reader must re-read a file).
  void Rewind();

  // Bytes a file is read by at a time; Ensure() serves up to this many.
  static constexpr std::size_t kBlock = std::size_t{1} << 20;

private:
  // Keeps the unread bytes, moved to the front, and reads more after them;
  // false when nothing more could be read.
  bool Refill();
  void PointAtStorage();

  KInputFile file_;
  std::vector<char> buf_;     // a file's block
  std::string memory_;        // a memory source's bytes
  const char* data_ = nullptr;
  std::size_t pos_ = 0;
  std::size_t end_ = 0;
  std::int64_t base_ = 0;     // input offset of data_[0]
  std::int64_t length_ = 0;
  bool isMemory_ = false;
};
