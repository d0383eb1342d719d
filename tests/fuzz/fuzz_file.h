#pragma once
// The input of a fuzz target as a file, for readers that take a path. The
// file lives in memory (memfd) and is refilled for each input: a file in
// the temporary directory, truncated and rewritten per input, cost a disk
// flush on every close and was a third of some targets' time.
#include <sys/mman.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

// Replaces the file's contents by data; returns the path that opens it.
inline const std::string& FuzzInputFile(const std::uint8_t* data, std::size_t size) {
  static const int fd = memfd_create("quarvel_fuzz_input", MFD_CLOEXEC);
  static const std::string path = "/proc/self/fd/" + std::to_string(fd);
  if (fd < 0 || ftruncate(fd, 0) != 0) std::abort();
  for (std::size_t done = 0; done < size;) {
    const ssize_t n = pwrite(fd, data + done, size - done, static_cast<off_t>(done));
    if (n <= 0) std::abort();
    done += static_cast<std::size_t>(n);
  }
  return path;
}
