#include "tests/support/full_file_system.h"

#include <fcntl.h>
#include <sys/mount.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace {

constexpr const char* kFiller = "filler";
constexpr const char* kOptions = "size=256k,mode=0777";

}  // namespace

FullFileSystem::FullFileSystem(const Files& files) {
  if (mount("tmpfs", dir_.path().c_str(), "tmpfs", 0, kOptions) != 0) {
    reason_ = std::string("cannot mount a small tmpfs: ") + std::strerror(errno);
    return;
  }
  mounted_ = true;
  for (const auto& [name, bytes] : files) {
    const int fd = open(File(name).c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fd < 0 || write(fd, bytes.data(), bytes.size()) != static_cast<ssize_t>(bytes.size())) reason_ = "cannot seed";
    if (fd >= 0) close(fd);
  }
  // Fill to the last byte: big writes first, then single bytes.
  const int fd = open(File(kFiller).c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  const std::string block(4096, 'f');
  while (write(fd, block.data(), block.size()) > 0) {
  }
  while (write(fd, "f", 1) > 0) {
  }
  close(fd);
}

FullFileSystem::~FullFileSystem() {
  if (mounted_) umount2(dir_.path().c_str(), MNT_DETACH);
}

std::vector<std::string> FullFileSystem::Names() const {
  std::vector<std::string> names = dir_.Names();
  names.erase(std::remove(names.begin(), names.end(), kFiller), names.end());
  return names;
}
