#pragma once
// Buffered byte input over a file or a block of memory. The drawing readers
// consume bytes one at a time; this keeps that cheap and gives the position
// and length that progress reporting needs.
#include <cstdint>
#include <string>
#include <vector>

#include "platform/input_file.h"
#include "platform/result.h"

class KByteSource {
public:
  // Opens a file for reading (OpenInputFile: regular files only). On failure
  // the result says why and the source holds no input.
  static KResultWith<KByteSource> FromFile(const std::string& path);
  // Reads from a private copy of the given bytes.
  static KByteSource FromMemory(std::string bytes);

  KByteSource() = default;  // no input: Get() returns -1 at once
  KByteSource(KByteSource&& other) noexcept;
  KByteSource& operator=(KByteSource&& other) noexcept;
  KByteSource(const KByteSource&) = delete;
  KByteSource& operator=(const KByteSource&) = delete;
  ~KByteSource() = default;

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
  int Refill();

  KInputFile file_;
  std::vector<char> buf_;
  std::size_t pos_ = 0;
  std::size_t end_ = 0;
  std::int64_t base_ = 0;    // file offset of buf_[0]
  std::int64_t length_ = 0;
  bool memory_ = false;
};
