#include "platform/files/atomic_file.h"

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <ctime>
#include <algorithm>
#include <optional>
#include <utility>

#include "platform/files/temp_cleanup.h"

namespace {

// Output is gathered into blocks of this size before each write(2).
constexpr std::size_t kBlockSize = 1 << 16;
// Mode of a new file before the umask, as creat(2) would give it.
constexpr mode_t kNewFileMode = 0666;
// Mode of the copy gathered before a file is written in place.
constexpr mode_t kStagingMode = 0600;
// Names tried before giving up on creating the new file.
constexpr int kNameAttempts = 100;
// As many links as the kernel follows before ELOOP.
constexpr int kMaxLinkHops = 40;
// Keeps the new file's name within NAME_MAX whatever the target's length.
constexpr std::size_t kMaxBaseInTempName = 200;

std::string DirectoryOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

std::string BaseOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

bool SameFile(const struct stat& a, const struct stat& b) { return a.st_dev == b.st_dev && a.st_ino == b.st_ino; }

// The path that symbolic links starting at path finally lead to (path itself
// when it is no link), whether or not anything is there. False with errno
// on a loop or a link that cannot be read.
bool FollowLinks(const std::string& path, std::string& out) {
  std::string p = path;
  for (int hop = 0; hop <= kMaxLinkHops; ++hop) {
    struct stat st {};
    if (lstat(p.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) {
      out = std::move(p);
      return true;
    }
    std::string text(PATH_MAX, '\0');
    const ssize_t n = readlink(p.c_str(), text.data(), text.size());
    if (n < 0) return false;
    text.resize(static_cast<std::size_t>(n));
    p = !text.empty() && text[0] == '/' ? text : DirectoryOf(p) + "/" + text;
  }
  errno = ELOOP;
  return false;
}

// In a sticky directory only the owner of a file or of the directory may
// rename over it (root aside).
bool StickyDirectoryForbidsRename(const std::string& target, const struct stat& file) {
  struct stat dir {};
  if (stat(DirectoryOf(target).c_str(), &dir) != 0 || !(dir.st_mode & S_ISVTX)) return false;
  const uid_t me = geteuid();
  return me != 0 && file.st_uid != me && dir.st_uid != me;
}

std::string TempStem(const std::string& target) {
  return DirectoryOf(target) + "/." + BaseOf(target).substr(0, kMaxBaseInTempName) + ".";
}

std::string TempName(const std::string& stem) {
  static std::atomic<unsigned> counter{0};
  return stem + std::to_string(getpid()) + "-" + std::to_string(counter++) + ".saving";
}

// Creates a file that did not exist, beside target, with the given mode
// (less the umask); -1 with errno when none can be created.
int CreateBeside(const std::string& target, std::string& name, mode_t mode = kNewFileMode) {
  const std::string stem = TempStem(target);
  for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
    name = TempName(stem);
    const int fd = open(name.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, mode);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  return -1;
}

std::string ProcPath(int fd) { return "/proc/self/fd/" + std::to_string(fd); }

bool unnamedAllowed = true;

// Opens a file without a name in target's directory, so that nothing is
// left behind whatever ends the process before Commit; -1 with errno. The
// file is linked into place through /proc, so without /proc it counts as
// unsupported too.
int CreateUnnamed(const std::string& target, mode_t mode = kNewFileMode) {
  if (!unnamedAllowed) {
    errno = EOPNOTSUPP;
    return -1;
  }
  const int fd = open(DirectoryOf(target).c_str(), O_TMPFILE | O_RDWR | O_CLOEXEC, mode);
  if (fd < 0) return -1;
  if (access(ProcPath(fd).c_str(), F_OK) != 0) {
    close(fd);
    errno = EOPNOTSUPP;
    return -1;
  }
  return fd;
}

// What open(2) says when the file system or the kernel has no unnamed files.
bool UnnamedUnsupported(int error) { return error == EOPNOTSUPP || error == EISDIR || error == EINVAL; }

// Where the new bytes of a file written in place gather first: beside it
// when its directory takes a file (same file system, so a full disk shows
// there), else in TMPDIR. Only the user may read it. -1 when neither works;
// name is set for a named file.
int CreateStaging(const std::string& path, std::string& name) {
  const char* tmp = std::getenv("TMPDIR");
  const std::string candidates[] = {path, std::string(tmp && *tmp ? tmp : "/tmp") + "/" + BaseOf(path)};
  for (const std::string& beside : candidates) {
    name.clear();
    int fd = CreateUnnamed(beside, kStagingMode);
    if (fd < 0 && UnnamedUnsupported(errno)) fd = CreateBeside(beside, name, kStagingMode);
    if (fd >= 0) return fd;
  }
  name.clear();
  return -1;
}

// Makes a rename durable; the file is in place either way.
void SyncDirectory(const std::string& target) {
  const int dir = open(DirectoryOf(target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dir < 0) return;
  fsync(dir);
  close(dir);
}

// Holds SIGPIPE back from this thread while it writes to a pipe, so that a
// reader that went away shows as EPIPE instead of ending the process. Only
// the calling thread's mask changes, and only for the write.
class SigpipeHeld {
public:
  SigpipeHeld() {
    sigemptyset(&pipe_);
    sigaddset(&pipe_, SIGPIPE);
    sigset_t pending;
    sigemptyset(&pending);
    sigpending(&pending);
    wasPending_ = sigismember(&pending, SIGPIPE) == 1;
    pthread_sigmask(SIG_BLOCK, &pipe_, &old_);
  }
  ~SigpipeHeld() { pthread_sigmask(SIG_SETMASK, &old_, nullptr); }
  SigpipeHeld(const SigpipeHeld&) = delete;
  SigpipeHeld& operator=(const SigpipeHeld&) = delete;

  // Takes back the signal that a write failing with EPIPE raised.
  void Swallow() {
    if (wasPending_) return;
    const timespec now{};
    sigtimedwait(&pipe_, nullptr, &now);
  }

private:
  sigset_t pipe_, old_;
  bool wasPending_ = false;
};

}  // namespace

KAtomicFile::KAtomicFile(std::string path) : path_(std::move(path)) { Open(); }

void KAtomicFile::AllowUnnamedFiles(bool allowed) { unnamedAllowed = allowed; }

KAtomicFile::~KAtomicFile() {
  if (fd_ >= 0) close(fd_);
  if (targetFd_ >= 0) close(targetFd_);
  Discard();
}

void KAtomicFile::Fail(int error) {
  if (result_.ok()) result_ = ErrnoResult(KStatus::kCannotWrite, "cannot write", path_, error);
}

void KAtomicFile::Fail(KStatus status, const std::string& reason) {
  if (result_.ok()) result_ = KResult(status, "cannot write '" + path_ + "': " + reason);
}

void KAtomicFile::Discard() {
  if (temp_.empty()) return;
  unlink(temp_.c_str());
  ForgetTemp();
}

void KAtomicFile::SetTemp(std::string name) {
  temp_ = std::move(name);
  watchSlot_ = WatchTemporary(temp_);
}

void KAtomicFile::ForgetTemp() {
  ForgetTemporary(watchSlot_);
  watchSlot_ = -1;
  temp_.clear();
}

void KAtomicFile::Open() {
  if (path_.empty()) return Fail(ENOENT);
  // A name ending in '/' can only be a directory.
  if (path_.back() == '/') return Fail(EISDIR);
  struct stat st {};
  if (stat(path_.c_str(), &st) != 0) {
    if (errno != ENOENT) return Fail(errno);
    if (!FollowLinks(path_, target_)) return Fail(errno);
    return OpenReplacement(nullptr);
  }
  switch (st.st_mode & S_IFMT) {
    case S_IFREG:
      break;
    case S_IFDIR:
      return Fail(EISDIR);
    case S_IFCHR:
      return OpenInPlace(0, false);
    case S_IFIFO:
      return OpenInPlace(O_NONBLOCK, false);
    case S_IFSOCK:
      return Fail(KStatus::kRefused, "it is a socket");
    case S_IFBLK:
      return Fail(KStatus::kRefused, "it is a block device");
    default:
      return Fail(KStatus::kRefused, "it is not a regular file");
  }
  // Renaming over one of several names would split them.
  if (st.st_nlink > 1) return OpenInPlace(0, true);
  // The rename must replace the file the links lead to; when they do not
  // lead to this file by name (a /proc link to an open file that lost its
  // name), only writing in place reaches it.
  struct stat there {};
  if (!FollowLinks(path_, target_) || stat(target_.c_str(), &there) != 0 || !SameFile(st, there))
    return OpenInPlace(0, true);
  if (StickyDirectoryForbidsRename(target_, st)) return OpenInPlace(0, true);
  OpenReplacement(&st);
}

void KAtomicFile::OpenInPlace(int flags, bool regular) {
  method_ = Method::kInPlace;
  if (regular) return OpenStaged();
  const bool fifo = (flags & O_NONBLOCK) != 0;
  const int fd = open(path_.c_str(), O_WRONLY | O_NOCTTY | O_CLOEXEC | flags);
  if (fd < 0) {
    // A FIFO opened without waiting says ENXIO when nobody reads it.
    if (fifo && errno == ENXIO) return Fail(KStatus::kCannotWrite, "no program is reading the pipe");
    return Fail(errno);
  }
  fd_ = fd;
  if (fifo) {
    // Writes wait for the reader like any pipe writer's.
    const int mode = fcntl(fd_, F_GETFL);
    if (mode < 0 || fcntl(fd_, F_SETFL, mode & ~O_NONBLOCK) != 0) return Fail(errno);
    pipe_ = true;
  }
}

// A regular file written in place is not touched until the whole new
// content is known: it gathers in a staging file (or in memory when no
// directory takes one), and Commit reserves room for all of it in the file
// before the first old byte is overwritten.
void KAtomicFile::OpenStaged() {
  targetFd_ = open(path_.c_str(), O_WRONLY | O_NOCTTY | O_CLOEXEC);
  if (targetFd_ < 0) return Fail(errno);
  std::string name;
  fd_ = CreateStaging(path_, name);
  if (fd_ < 0) stagedInMemory_ = true;
  else if (!name.empty()) SetTemp(std::move(name));
}

void KAtomicFile::OpenReplacement(const struct stat* old) {
  method_ = Method::kReplace;
  int fd = CreateUnnamed(target_);
  std::string name;
  if (fd >= 0)
    unnamed_ = true;
  else if (UnnamedUnsupported(errno))
    fd = CreateBeside(target_, name);
  if (fd < 0) {
    // A directory that takes no new file may still hold a writable file.
    if (old && (errno == EACCES || errno == EPERM)) return OpenInPlace(0, true);
    return Fail(errno);
  }
  fd_ = fd;
  if (!unnamed_) SetTemp(std::move(name));
  syncable_ = true;
  if (!old) return;
  // The owner and group stay where the process may set them (root; or a
  // group the user belongs to). Set-ID bits go with an owner not kept.
  [[maybe_unused]] const bool kept =
      fchown(fd_, old->st_uid, old->st_gid) == 0 || fchown(fd_, static_cast<uid_t>(-1), old->st_gid) == 0;
  struct stat now {};
  if (fstat(fd_, &now) != 0) return Fail(errno);
  mode_t mode = old->st_mode & 07777;
  if (now.st_uid != old->st_uid) mode &= ~S_ISUID;
  if (now.st_gid != old->st_gid) mode &= ~S_ISGID;
  if (fchmod(fd_, mode) != 0) return Fail(errno);
}

void KAtomicFile::Write(std::string_view bytes) {
  if (!ok()) return;
  if (stagedInMemory_) {
    buffer_.append(bytes);
    return;
  }
  if (buffer_.size() + bytes.size() > kBlockSize) {
    Flush();
    if (bytes.size() >= kBlockSize) return WriteOut(bytes.data(), bytes.size());
  }
  buffer_.append(bytes);
}

void KAtomicFile::Flush() {
  if (stagedInMemory_) return;
  if (!buffer_.empty()) WriteOut(buffer_.data(), buffer_.size());
  buffer_.clear();
}

void KAtomicFile::WriteOut(const char* data, std::size_t size) {
  if (!ok()) return;
  std::optional<SigpipeHeld> held;
  if (pipe_) held.emplace();
  while (size > 0) {
    const ssize_t n = ::write(fd_, data, size);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      const int error = errno;
      if (error == EPIPE && held) held->Swallow();
      return Fail(error);
    }
    if (n == 0) return Fail(ENOSPC);
    data += n;
    size -= static_cast<std::size_t>(n);
    written_ += static_cast<std::size_t>(n);
  }
}

KResult KAtomicFile::Commit() {
  if (committed_) return result_;
  committed_ = true;
  Flush();
  if (targetFd_ >= 0) {
    if (ok()) CopyStagedIntoTarget();
    const int closed = close(targetFd_);
    targetFd_ = -1;
    if (closed != 0 && errno != EINTR) Fail(errno);
  }
  if (ok() && syncable_ && fsync(fd_) != 0) Fail(errno);
  if (ok() && unnamed_) LinkUnnamed();
  if (fd_ >= 0) {
    const int closed = close(fd_);
    fd_ = -1;
    if (closed != 0 && errno != EINTR) Fail(errno);
  }
  if (ok() && method_ == Method::kReplace && !temp_.empty()) {
    if (rename(temp_.c_str(), target_.c_str()) != 0) {
      Fail(errno);
    } else {
      ForgetTemp();
      SyncDirectory(target_);
    }
  }
  Discard();
  return result_;
}

// The staged content is complete: room for it is reserved in the target
// first (a full disk refuses here, with the old bytes still there), then it
// is copied over the old bytes and the rest cut.
void KAtomicFile::CopyStagedIntoTarget() {
  const std::size_t size = stagedInMemory_ ? buffer_.size() : written_;
  struct stat before {};
  if (fstat(targetFd_, &before) != 0) return Fail(errno);
  if (size > 0) {
    const int error = posix_fallocate(targetFd_, 0, static_cast<off_t>(size));
    if (error != 0) {
      // A reservation that failed part way may have made the file longer.
      [[maybe_unused]] const int restored = ftruncate(targetFd_, before.st_size);
      return Fail(error);
    }
  }
  std::string block(stagedInMemory_ ? 0 : kBlockSize, '\0');
  for (std::size_t at = 0; at < size;) {
    const char* data = buffer_.data() + at;
    std::size_t count = std::min(kBlockSize, size - at);
    if (!stagedInMemory_) {
      const ssize_t n = pread(fd_, block.data(), count, static_cast<off_t>(at));
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0) return Fail(n < 0 ? errno : EIO);
      data = block.data();
      count = static_cast<std::size_t>(n);
    }
    const ssize_t n = pwrite(targetFd_, data, count, static_cast<off_t>(at));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return Fail(n < 0 ? errno : ENOSPC);
    at += static_cast<std::size_t>(n);
  }
  if (ftruncate(targetFd_, static_cast<off_t>(size)) != 0) return Fail(errno);
  if (fsync(targetFd_) != 0) return Fail(errno);
}

// Gives the unnamed file the target's name when the name is free; else a
// temporary name, which Commit then renames over the target.
void KAtomicFile::LinkUnnamed() {
  const std::string proc = ProcPath(fd_);
  if (linkat(AT_FDCWD, proc.c_str(), AT_FDCWD, target_.c_str(), AT_SYMLINK_FOLLOW) == 0) {
    SyncDirectory(target_);
    return;
  }
  if (errno != EEXIST) return Fail(errno);
  const std::string stem = TempStem(target_);
  for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
    std::string name = TempName(stem);
    if (linkat(AT_FDCWD, proc.c_str(), AT_FDCWD, name.c_str(), AT_SYMLINK_FOLLOW) == 0) return SetTemp(std::move(name));
    if (errno != EEXIST) return Fail(errno);
  }
  Fail(EEXIST);
}

KResult WriteFileAtomically(const std::string& path, std::string_view bytes) {
  KAtomicFile file(path);
  file.Write(bytes);
  return file.Commit();
}
