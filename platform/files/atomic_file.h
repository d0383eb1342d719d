#pragma once
// The one way this system writes an output file: drawings, net files and
// rendered pictures all go through KAtomicFile.
//
// What happens depends on what the path names when the file is opened:
//
// - Nothing yet, or a regular file with one name: the bytes go to a new file
//   in the same directory (so the final rename stays on one file system),
//   are synced to the disk, and the new file is then renamed over the path.
//   A reader sees the old file or the new one, never part of either; any
//   failure removes the new file and leaves the old one as it was. Where the
//   file system allows, the new file has no name until it is complete
//   (linked into place then), so even a process killed outright leaves
//   nothing behind; elsewhere it is named ".NAME.PID-N.saving" and removed
//   when SIGINT, SIGTERM or SIGHUP ends the process. A file
//   that replaces another keeps its permission bits and, where the process
//   may set them (as root), its owner and group; a set-user-ID or
//   set-group-ID bit is dropped when the owner could not be kept. A new file
//   gets 0666 less the umask (the kernel applies it; the umask itself is
//   never changed). Other metadata (ACLs, extended attributes) is not kept.
// - A symbolic link: the file it leads to is written as above and the link
//   stays. A link that leads nowhere yet creates the file it names.
// - A regular file with more than one name (a hard link): renaming would
//   give the new bytes to this name only and leave the others on the old
//   file, so the file itself takes them, but only once they are all known:
//   they gather first in a file beside it (or in TMPDIR when its directory
//   takes no new file, or in memory when no directory does), and Commit
//   reserves room for all of them in the file before overwriting the old
//   bytes. A full disk or a failed write therefore leaves the old file as it
//   was; only a fault during the final copy (an I/O error, a file system
//   that cannot reserve) could leave it part written. The same holds for a
//   file whose directory takes no new file (no write permission there, or a
//   sticky directory where the file is someone else's) but which itself may
//   be written.
// - A character device (a terminal, /dev/null): written in place, never
//   replaced by a regular file.
// - A FIFO: written in place when a program has it open for reading; with
//   none it fails at once instead of waiting for a reader. A reader that
//   goes away mid-write is a failure ("Broken pipe"), not a SIGPIPE.
// - A directory, a socket or a block device: refused, nothing is touched.
//
// Nothing here changes process-wide state, so separate KAtomicFile objects
// may be used from separate threads.
#include <cstddef>
#include <string>
#include <string_view>
#include <sys/stat.h>

#include "platform/base/result.h"

class KAtomicFile {
public:
  enum class Method {
    kReplace,   // a new file renamed over the path on Commit
    kInPlace,   // the file itself is written (see above)
  };

  // Opens path for writing. A failure is kept and returned by Commit; the
  // writes in between are dropped.
  explicit KAtomicFile(std::string path);
  // Without a successful Commit the output is abandoned: a new file is
  // removed, a regular file written in place is left untouched; a device or
  // pipe keeps what was written to it.
  ~KAtomicFile();
  KAtomicFile(const KAtomicFile&) = delete;
  KAtomicFile& operator=(const KAtomicFile&) = delete;

  // Appends bytes. Output is gathered into blocks before it is written, so
  // an error may show only at a later Write or at Commit.
  void Write(std::string_view bytes);
  // False once anything failed; later writes are dropped.
  bool ok() const { return result_.ok(); }
  // Writes what is left, syncs, and puts the file in place. Returns the
  // first failure ("cannot write 'PATH': REASON") or success.
  KResult Commit();

  Method method() const { return method_; }

  // Unnamed new files are used where the system has them; tests turn them
  // off to reach the named ones. Not thread-safe: set before any writing.
  static void AllowUnnamedFiles(bool allowed);

private:
  void Open();
  void OpenInPlace(int flags, bool truncate);
  void OpenReplacement(const struct stat* old);
  void OpenStaged();
  void CopyStagedIntoTarget();  // old: the file replaced, or null
  void Flush();
  void WriteOut(const char* data, std::size_t size);
  void Fail(int error);
  void Fail(KStatus status, const std::string& reason);
  void Discard();
  void SetTemp(std::string name);
  void ForgetTemp();
  void LinkUnnamed();

  std::string path_;    // as given: messages name it
  std::string target_;  // the file renamed over (kReplace)
  std::string temp_;    // the new file's name while it has one
  int watchSlot_ = -1;  // temp_ is removed on signals while watched
  std::string buffer_;
  KResult result_;
  Method method_ = Method::kReplace;
  int fd_ = -1;          // what Write fills: the new file, or the staging copy
  int targetFd_ = -1;    // a regular file written in place once staged
  std::size_t written_ = 0;
  bool stagedInMemory_ = false;  // no staging file could be made: buffer_ holds all
  bool syncable_ = false;         // a regular file: fsync applies
  bool pipe_ = false;             // writes may meet a reader that left
  bool unnamed_ = false;          // the new file has no name until Commit
  bool committed_ = false;
};

// Writes bytes to path with KAtomicFile, for outputs built in memory.
KResult WriteFileAtomically(const std::string& path, std::string_view bytes);
