#include "segy/io/segy_output.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

KSegyOutput::KSegyOutput(std::string path) : path_(std::move(path)) {
  temp_ = path_ + ".XXXXXX";
  const int fd = mkstemp(temp_.data());
  if (fd < 0) {
    error_ = errno;
    temp_.clear();
    return;
  }
  fchmod(fd, 0644);
  file_ = fdopen(fd, "wb");
  if (!file_) {
    error_ = errno;
    close(fd);
  }
}

KSegyOutput::~KSegyOutput() {
  if (file_) std::fclose(file_);
  if (!temp_.empty()) std::remove(temp_.c_str());
}

void KSegyOutput::Write(std::string_view bytes) {
  if (!file_ || error_) return;
  if (std::fwrite(bytes.data(), 1, bytes.size(), file_) != bytes.size()) error_ = errno ? errno : EIO;
}

KResult KSegyOutput::Commit() {
  if (file_) {
    if (std::fflush(file_) != 0 && !error_) error_ = errno;
    if (std::fclose(file_) != 0 && !error_) error_ = errno;
    file_ = nullptr;
  }
  if (!error_ && std::rename(temp_.c_str(), path_.c_str()) != 0) error_ = errno;
  if (error_) return ErrnoResult(KStatus::kCannotWrite, "cannot write", path_, error_);
  temp_.clear();
  return KResult::Ok();
}
