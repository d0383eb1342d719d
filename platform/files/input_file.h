#pragma once
// The one way files are opened for reading. Only regular files open: a
// directory, FIFO, device or socket is refused with a message saying so,
// rather than reading as empty, failing later with a nonsense size, or
// blocking on a FIFO that has no writer.
#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/base/result.h"

class KInputFile {
public:
  KInputFile() = default;  // not open: reads nothing
  KInputFile(KInputFile&& other) noexcept;
  KInputFile& operator=(KInputFile&& other) noexcept;
  KInputFile(const KInputFile&) = delete;
  KInputFile& operator=(const KInputFile&) = delete;
  ~KInputFile();

  bool is_open() const { return fd_ >= 0; }
  const std::string& path() const { return path_; }
  // Size in bytes when the file was opened.
  std::int64_t size() const { return size_; }

  // Reads up to n bytes, fewer only at the end of the file. Returns the
  // count, or -1 with errno set when reading fails.
  std::int64_t Read(void* buffer, std::size_t n);
  // Reads up to n bytes at offset without moving the position (pread), fewer
  // only at the end of the file. Returns the count, or -1 with errno set.
  std::int64_t ReadAt(std::int64_t offset, void* buffer, std::size_t n);
  // Reads from the current position to the end into bytes (replacing them).
  KResult ReadRest(std::string& bytes);
  // Moves back to the start; false when the file cannot seek.
  bool Rewind();

private:
  friend KResultWith<KInputFile> OpenInputFile(const std::string& path);
  int fd_ = -1;
  std::int64_t size_ = 0;
  std::string path_;
};

// Opens path for reading. Fails with kCannotOpen and "cannot open 'path':
// <reason>" when it is missing, unreadable or not a regular file.
KResultWith<KInputFile> OpenInputFile(const std::string& path);
