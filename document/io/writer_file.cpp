// SaveToFile: all or nothing. The text goes to a new file in the target's
// directory (so the final rename stays on one file system), is flushed to
// the disk, and only then replaces the target. Any failure removes the new
// file and leaves the target as it was.
#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

#include "document/kones.h"
#include "document/io/writer_parts.h"

namespace {

// Output is gathered into blocks of this size before each write(2).
constexpr std::size_t kFlushSize = 1 << 16;
// Mode of a new drawing before the umask, as creat(2) would give it.
constexpr mode_t kNewFileMode = 0666;

// The file a path names: a symbolic link is followed, so saving through a
// link replaces the file it points to and keeps the link.
std::string ResolvedTarget(const std::string& path) {
  struct stat st {};
  if (lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return path;
  char* real = realpath(path.c_str(), nullptr);
  if (!real) return path;
  std::string resolved(real);
  std::free(real);
  return resolved;
}

std::string DirectoryOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

// Tries this many names before giving up on creating the new file.
constexpr int kNameAttempts = 100;

// Creates a file that did not exist, named after the target, with the mode
// a new file gets (0666 less the umask); -1 when none can be created.
int CreateBeside(const std::string& target, std::string& name) {
  static std::atomic<unsigned> counter{0};
  for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
    name = target + ".saving-" + std::to_string(getpid()) + "-" + std::to_string(counter++);
    const int fd = open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, kNewFileMode);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  return -1;
}

// A new file beside the target that becomes the target on Commit and is
// removed otherwise.
class KAtomicFile : public KOutput {
public:
  explicit KAtomicFile(const std::string& path) : target_(ResolvedTarget(path)) {
    std::string name;
    fd_ = CreateBeside(target_, name);
    if (fd_ < 0) return;
    temp_ = name;
    // A drawing that replaces another keeps the other's permissions.
    struct stat st {};
    if (stat(target_.c_str(), &st) == 0 && fchmod(fd_, st.st_mode & 07777) != 0) Fail();
  }
  ~KAtomicFile() override {
    if (fd_ >= 0) close(fd_);
    if (!temp_.empty()) unlink(temp_.c_str());
  }
  KAtomicFile(const KAtomicFile&) = delete;
  KAtomicFile& operator=(const KAtomicFile&) = delete;

  void Write(std::string_view bytes) override {
    if (!ok()) return;
    buffer_.append(bytes);
    if (buffer_.size() >= kFlushSize) Flush();
  }
  bool ok() const override { return fd_ >= 0 && !failed_; }

  // Puts the file in place of the target; true when it is there.
  bool Commit() {
    Flush();
    if (!ok() || fsync(fd_) != 0) return false;
    const int fd = fd_;
    fd_ = -1;
    if (close(fd) != 0) return false;
    if (rename(temp_.c_str(), target_.c_str()) != 0) return false;
    temp_.clear();
    SyncDirectory();
    return true;
  }

private:
  void Fail() { failed_ = true; }

  void Flush() {
    const char* p = buffer_.data();
    std::size_t left = buffer_.size();
    while (ok() && left > 0) {
      const ssize_t n = ::write(fd_, p, left);
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0) {
        Fail();
        break;
      }
      p += n;
      left -= static_cast<std::size_t>(n);
    }
    buffer_.clear();
  }

  // Makes the rename itself durable; the file is in place either way.
  void SyncDirectory() const {
    const int dir = open(DirectoryOf(target_).c_str(), O_RDONLY | O_DIRECTORY);
    if (dir < 0) return;
    fsync(dir);
    close(dir);
  }

  std::string target_;
  std::string temp_;
  std::string buffer_;
  int fd_ = -1;
  bool failed_ = false;
};

}  // namespace

int SaveToFile(KOnes& doc, const std::string& path) {
  if (path.empty()) return 0;
  KAtomicFile file(path);
  if (!file.ok()) return 0;
  KLayerMoves moves;
  WriteDocumentText(file, doc, moves);
  if (!file.Commit()) return 0;
  moves.Apply();
  return 1;
}
