#include "platform/files/input_file.h"

#include <fcntl.h>
#include <linux/magic.h>
#include <sys/stat.h>
#include <sys/vfs.h>
#include <unistd.h>

#include <cerrno>
#include <utility>

KResultWith<KInputFile> OpenInputFile(const std::string& path) {
  // Non-blocking, so that opening a FIFO without a writer returns at once
  // and is refused below. The flag stays: a regular file reads the same
  // either way, while a file that only looks regular but waits for data
  // (/proc/kmsg) then fails its read (EAGAIN) instead of hanging.
  const int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return ErrnoResult(KStatus::kCannotOpen, "cannot open", path, errno);
  KInputFile file;
  file.fd_ = fd;
  file.path_ = path;
  struct stat info;
  if (fstat(fd, &info) != 0) return ErrnoResult(KStatus::kCannotOpen, "cannot open", path, errno);
  if (S_ISDIR(info.st_mode)) return ErrnoResult(KStatus::kCannotOpen, "cannot open", path, EISDIR);
  if (!S_ISREG(info.st_mode))
    return KResult(KStatus::kCannotOpen, "cannot open '" + path + "': not a regular file");
  // The kernel's files show as empty regular files; some wait for data
  // like a FIFO (/proc/kmsg). None holds a drawing or a grid.
  struct statfs fs {};
  if (info.st_size == 0 && fstatfs(fd, &fs) == 0 && fs.f_type == PROC_SUPER_MAGIC)
    return KResult(KStatus::kCannotOpen, "cannot open '" + path + "': not a regular file (a kernel interface)");
  file.size_ = static_cast<std::int64_t>(info.st_size);
  return file;
}

KInputFile::KInputFile(KInputFile&& other) noexcept { *this = std::move(other); }

KInputFile& KInputFile::operator=(KInputFile&& other) noexcept {
  if (this != &other) {
    if (fd_ >= 0) close(fd_);
    fd_ = std::exchange(other.fd_, -1);
    size_ = std::exchange(other.size_, 0);
    path_ = std::move(other.path_);
  }
  return *this;
}

KInputFile::~KInputFile() {
  if (fd_ >= 0) close(fd_);
}

std::int64_t KInputFile::Read(void* buffer, std::size_t n) {
  if (fd_ < 0) return 0;
  char* out = static_cast<char*>(buffer);
  std::size_t got = 0;
  while (got < n) {
    const ssize_t r = read(fd_, out + got, n - got);
    if (r < 0 && errno == EINTR) continue;
    if (r < 0) return -1;
    if (r == 0) break;
    got += static_cast<std::size_t>(r);
  }
  return static_cast<std::int64_t>(got);
}

std::int64_t KInputFile::ReadAt(std::int64_t offset, void* buffer, std::size_t n) {
  if (fd_ < 0 || offset < 0) return 0;
  char* out = static_cast<char*>(buffer);
  std::size_t got = 0;
  while (got < n) {
    const ssize_t r = pread(fd_, out + got, n - got, static_cast<off_t>(offset + static_cast<std::int64_t>(got)));
    if (r < 0 && errno == EINTR) continue;
    if (r < 0) return -1;
    if (r == 0) break;
    got += static_cast<std::size_t>(r);
  }
  return static_cast<std::int64_t>(got);
}

KResult KInputFile::ReadRest(std::string& bytes) {
  bytes.clear();
  // The size at opening is a good first guess; the file may still grow.
  if (size_ > 0) bytes.reserve(static_cast<std::size_t>(size_));
  char chunk[1 << 16];
  for (;;) {
    const std::int64_t got = Read(chunk, sizeof chunk);
    if (got < 0) return ErrnoResult(KStatus::kCannotOpen, "cannot read", path_, errno);
    bytes.append(chunk, static_cast<std::size_t>(got));
    if (got < static_cast<std::int64_t>(sizeof chunk)) return KResult::Ok();
  }
}

bool KInputFile::Rewind() { return fd_ >= 0 && lseek(fd_, 0, SEEK_SET) == 0; }
