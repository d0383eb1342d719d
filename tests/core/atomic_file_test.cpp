// The one output writer: how each kind of target is written, and that a
// failure is reported and leaves the old file whole.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

#include "platform/files/atomic_file.h"
#include "tests/support/file_bytes.h"
#include "tests/support/full_file_system.h"
#include "tests/support/result_checks.h"
#include "tests/support/temp_dir.h"

namespace {

namespace fs = std::filesystem;

constexpr uid_t kNobody = 65534;

struct stat Stat(const std::string& path) {
  struct stat st {};
  EXPECT_EQ(stat(path.c_str(), &st), 0) << path;
  return st;
}

// Writes bytes to path; the method used goes to *method when asked.
KResult Save(const std::string& path, const std::string& bytes, KAtomicFile::Method* method = nullptr) {
  KAtomicFile file(path);
  file.Write(bytes);
  if (method) *method = file.method();
  return file.Commit();
}

// Runs body in a child process (as the user "nobody" when root) and returns
// its exit status; 99 when it could not be started.
int InChild(bool asNobody, const std::function<int()>& body) {
  const pid_t child = fork();
  if (child < 0) return 99;
  if (child == 0) {
    if (asNobody && (setgid(kNobody) != 0 || setuid(kNobody) != 0)) _exit(98);
    _exit(body());
  }
  int status = 0;
  if (waitpid(child, &status, 0) != child || !WIFEXITED(status)) return 99;
  return WEXITSTATUS(status);
}

// Creates a device node, or says why it cannot (not root, or a container
// that forbids them).
bool MakeDevice(const std::string& path, mode_t kind, unsigned major, unsigned minor) {
  if (mknod(path.c_str(), kind | 0666, makedev(major, minor)) != 0) return false;
  const int fd = open(path.c_str(), O_WRONLY);
  if (fd < 0) return false;
  close(fd);
  return true;
}

TEST(AtomicFile, NewFileGetsTheUmaskedMode) {
  struct Case {
    mode_t mask, mode;
  };
  for (const Case c : {Case{022, 0644}, Case{077, 0600}, Case{0, 0666}}) {
    TempDir dir;
    const mode_t before = umask(c.mask);
    KAtomicFile::Method method{};
    const KResult r = Save(dir.File("new"), "abc", &method);
    umask(before);
    ASSERT_TRUE(r) << r.message();
    EXPECT_EQ(method, KAtomicFile::Method::kReplace);
    EXPECT_EQ(ReadFileBytes(dir.File("new")), "abc");
    EXPECT_EQ(Stat(dir.File("new")).st_mode & 07777, c.mode) << std::oct << c.mask;
    EXPECT_EQ(dir.Names(), std::vector<std::string>{"new"});
  }
}

TEST(AtomicFile, ReplacingKeepsModeOwnerAndLeavesNoTemporary) {
  for (const mode_t mode : {0640, 0755, 0400}) {
    TempDir dir;
    const std::string path = dir.File("a.qvd");
    WriteFileBytes(path, "old contents that are longer\n");
    ASSERT_EQ(chmod(path.c_str(), mode), 0);
    const bool root = geteuid() == 0;
    if (root) {
      ASSERT_EQ(chown(path.c_str(), kNobody, kNobody), 0);
    }
    const ino_t oldInode = Stat(path).st_ino;
    KAtomicFile::Method method{};
    const KResult r = Save(path, "new\n", &method);
    ASSERT_TRUE(r) << r.message();
    EXPECT_EQ(method, KAtomicFile::Method::kReplace);
    EXPECT_EQ(ReadFileBytes(path), "new\n");
    const struct stat st = Stat(path);
    EXPECT_NE(st.st_ino, oldInode);  // a new file took its place
    EXPECT_EQ(st.st_mode & 07777, mode);
    if (root) {
      EXPECT_EQ(st.st_uid, kNobody);
      EXPECT_EQ(st.st_gid, kNobody);
    }
    EXPECT_EQ(dir.Names(), std::vector<std::string>{"a.qvd"});
  }
}

TEST(AtomicFile, HardLinkedFileIsWrittenInPlaceAndKeepsItsNames) {
  TempDir dir;
  const std::string a = dir.File("a"), b = dir.File("b");
  WriteFileBytes(a, "old old old old\n");
  ASSERT_EQ(link(a.c_str(), b.c_str()), 0);
  const ino_t inode = Stat(a).st_ino;
  {
    // Abandoned before anything went out: the file is not touched yet.
    KAtomicFile file(a);
    file.Write("partial");
  }
  EXPECT_EQ(ReadFileBytes(b), "old old old old\n");

  KAtomicFile::Method method{};
  const KResult r = Save(a, "new\n", &method);
  ASSERT_TRUE(r) << r.message();
  EXPECT_EQ(method, KAtomicFile::Method::kInPlace);
  EXPECT_EQ(ReadFileBytes(b), "new\n");  // shorter: the rest is cut
  EXPECT_EQ(Stat(a).st_ino, inode);
  EXPECT_EQ(Stat(b).st_nlink, 2u);
  // Nothing at all written still empties it.
  ASSERT_TRUE(Save(b, ""));
  EXPECT_EQ(ReadFileBytes(a), "");
  EXPECT_EQ(dir.Names(), (std::vector<std::string>{"a", "b"}));
}

TEST(AtomicFile, SymbolicLinksLeadToTheFileThatIsReplaced) {
  struct Case {
    const char* name;
    std::vector<std::pair<std::string, std::string>> links;  // link -> what it holds
    bool targetExists;
  };
  const std::vector<Case> cases = {
      {"relative", {{"link", "real"}}, true},
      {"absolute", {{"link", "@/real"}}, true},
      {"chain", {{"link", "mid"}, {"mid", "sub/../real"}}, true},
      {"dangling", {{"link", "real"}}, false},
  };
  for (const Case& c : cases) {
    TempDir dir;
    ASSERT_EQ(mkdir(dir.File("sub").c_str(), 0755), 0);
    if (c.targetExists) {
      WriteFileBytes(dir.File("real"), "old\n");
      ASSERT_EQ(chmod(dir.File("real").c_str(), 0600), 0);
    }
    for (const auto& [name, to] : c.links) {
      const std::string text = to[0] == '@' ? dir.path() + to.substr(1) : to;
      ASSERT_EQ(symlink(text.c_str(), dir.File(name).c_str()), 0);
    }
    const KResult r = Save(dir.File("link"), "new\n");
    ASSERT_TRUE(r) << c.name << ": " << r.message();
    EXPECT_TRUE(fs::is_symlink(dir.File("link"))) << c.name;
    EXPECT_EQ(ReadFileBytes(dir.File("real")), "new\n") << c.name;
    if (c.targetExists) {
      EXPECT_EQ(Stat(dir.File("real")).st_mode & 0777, 0600u) << c.name;
    }
    EXPECT_EQ(dir.Names().size(), c.links.size() + 2) << c.name;  // links, real, sub
  }
  TempDir dir;
  ASSERT_EQ(symlink("loop", dir.File("loop").c_str()), 0);
  EXPECT_EQ(Save(dir.File("loop"), "x").status(), KStatus::kCannotWrite);
}

TEST(AtomicFile, FifoWithAReaderIsWrittenInPlace) {
  TempDir dir;
  const std::string fifo = dir.File("fifo");
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  // Open the reading end first (without waiting for a writer), then read
  // in a thread until the writer is done. A read before the writer opened
  // also sees end of file, so only the end after it counts.
  const int in = open(fifo.c_str(), O_RDONLY | O_NONBLOCK);
  ASSERT_GE(in, 0);
  ASSERT_EQ(fcntl(in, F_SETFL, fcntl(in, F_GETFL) & ~O_NONBLOCK), 0);
  std::string received;
  std::atomic<bool> written{false};
  std::thread reader([&] {
    char block[4096];
    for (;;) {
      const ssize_t n = read(in, block, sizeof block);
      if (n > 0)
        received.append(block, static_cast<std::size_t>(n));
      else if (n < 0 || written)
        break;
      else
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
  });
  // More than a pipe holds, so the writer waits for the reader.
  std::string payload;
  for (int i = 0; payload.size() < 300000; ++i) payload += std::to_string(i) + "\n";
  KAtomicFile::Method method{};
  const KResult r = Save(fifo, payload, &method);
  written = true;
  reader.join();
  close(in);
  ASSERT_TRUE(r) << r.message();
  EXPECT_EQ(method, KAtomicFile::Method::kInPlace);
  EXPECT_EQ(received, payload);
  EXPECT_TRUE(fs::is_fifo(fifo));
  EXPECT_EQ(dir.Names(), std::vector<std::string>{"fifo"});
}

TEST(AtomicFile, FifoWithoutAReaderFailsAtOnce) {
  TempDir dir;
  const std::string fifo = dir.File("fifo");
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  const KResult r = Save(fifo, "never read\n");
  EXPECT_EQ(r.status(), KStatus::kCannotWrite);
  EXPECT_EQ(r.message(), "cannot write '" + fifo + "': no program is reading the pipe");
  EXPECT_TRUE(fs::is_fifo(fifo));

  // A reader that leaves part way: a failure, not a SIGPIPE that ends us.
  const int in = open(fifo.c_str(), O_RDONLY | O_NONBLOCK);
  ASSERT_GE(in, 0);
  KAtomicFile file(fifo);
  ASSERT_TRUE(file.ok());
  close(in);
  file.Write(std::string(200000, 'x'));
  EXPECT_TRUE(FailedWith(file.Commit(), KStatus::kCannotWrite, {"Broken pipe"}));
  sigset_t pending;
  sigemptyset(&pending);
  sigpending(&pending);
  EXPECT_EQ(sigismember(&pending, SIGPIPE), 0);
}

TEST(AtomicFile, CharacterDevicesAreWrittenInPlaceAndTheirErrorsReported) {
  TempDir dir;
  const std::string null = dir.File("null"), full = dir.File("full");
  if (!MakeDevice(null, S_IFCHR, 1, 3) || !MakeDevice(full, S_IFCHR, 1, 7))
    GTEST_SKIP() << "device nodes cannot be made here (needs root)";
  KAtomicFile::Method method{};
  const KResult r = Save(null, std::string(100000, 'x'), &method);
  EXPECT_TRUE(r) << r.message();
  EXPECT_EQ(method, KAtomicFile::Method::kInPlace);
  EXPECT_TRUE(fs::is_character_file(null));

  const KResult failed = Save(full, "x");
  EXPECT_EQ(failed.status(), KStatus::kCannotWrite);
  EXPECT_EQ(failed.message(), "cannot write '" + full + "': No space left on device");
  EXPECT_TRUE(fs::is_character_file(full));
  EXPECT_EQ(dir.Names(), (std::vector<std::string>{"full", "null"}));
}

TEST(AtomicFile, DirectoriesSocketsAndBlockDevicesAreRefusedUntouched) {
  TempDir dir;
  ASSERT_EQ(mkdir(dir.File("dir").c_str(), 0755), 0);
  const int sock = socket(AF_UNIX, SOCK_STREAM, 0);
  ASSERT_GE(sock, 0);
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  const std::string sockPath = dir.File("sock");
  ASSERT_LT(sockPath.size(), sizeof address.sun_path);
  sockPath.copy(address.sun_path, sockPath.size());
  ASSERT_EQ(bind(sock, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
  const bool block = mknod(dir.File("block").c_str(), S_IFBLK | 0600, makedev(7, 0)) == 0;

  struct Case {
    std::string name;
    KStatus status;
    const char* reason;
    bool (*kind)(const fs::path&);
  };
  std::vector<Case> cases = {
      {"dir", KStatus::kCannotWrite, "Is a directory", fs::is_directory},
      {"dir/", KStatus::kCannotWrite, "Is a directory", fs::is_directory},
      {"sock", KStatus::kRefused, "it is a socket", fs::is_socket},
  };
  if (block) cases.push_back({"block", KStatus::kRefused, "it is a block device", fs::is_block_file});
  for (const Case& c : cases) {
    const KResult r = Save(dir.File(c.name), "x");
    EXPECT_EQ(r.status(), c.status) << c.name;
    EXPECT_EQ(r.message(), "cannot write '" + dir.File(c.name) + "': " + c.reason);
    EXPECT_TRUE(c.kind(dir.File(c.name))) << c.name;
  }
  close(sock);
  EXPECT_EQ(dir.Names().size(), block ? 3u : 2u);
  EXPECT_TRUE(fs::is_empty(dir.File("dir")));
}

// A directory that takes no new file (read-only, or sticky with the file
// someone else's) but a file that may be written: written in place. Run as
// "nobody" when root, since root may write any directory.
TEST(AtomicFile, FileInADirectoryThatTakesNoNewFileIsWrittenInPlace) {
  const bool root = geteuid() == 0;
  struct Case {
    const char* name;
    mode_t dirMode;
    bool fileIsOurs;
  };
  std::vector<Case> cases = {{"read-only directory", 0555, true}};
  if (root) cases.push_back({"sticky directory, file not ours", 01777, false});
  for (const Case& c : cases) {
    TempDir dir;
    ASSERT_EQ(chmod(dir.path().c_str(), 0755), 0);
    const std::string sub = dir.File("sub"), path = dir.File("sub/a.qvd");
    ASSERT_EQ(mkdir(sub.c_str(), 0755), 0);
    WriteFileBytes(path, "old contents\n");
    ASSERT_EQ(chmod(path.c_str(), 0666), 0);
    if (root && c.fileIsOurs) {
      ASSERT_EQ(chown(path.c_str(), kNobody, kNobody), 0);
    }
    ASSERT_EQ(chmod(sub.c_str(), c.dirMode), 0);
    const ino_t inode = Stat(path).st_ino;
    const int status = InChild(root, [&] {
      KAtomicFile::Method method{};
      const KResult r = Save(path, "new\n", &method);
      return r && method == KAtomicFile::Method::kInPlace ? 0 : 1;
    });
    chmod(sub.c_str(), 0755);
    EXPECT_EQ(status, 0) << c.name;
    EXPECT_EQ(ReadFileBytes(path), "new\n") << c.name;
    EXPECT_EQ(Stat(path).st_ino, inode) << c.name;
    EXPECT_EQ(std::distance(fs::directory_iterator(sub), fs::directory_iterator()), 1) << c.name;
  }
}

TEST(AtomicFile, FailuresLeaveTheOldFileWholeAndNoTemporary) {
  TempDir dir;
  const std::string path = dir.File("keep.qvd");
  const std::string old = "old contents\n";
  WriteFileBytes(path, old);

  // Writes that fail part way: the process may not grow a file past a few
  // kilobytes. Done in a child so the limit ends with it.
  const int status = InChild(false, [&] {
    std::signal(SIGXFSZ, SIG_IGN);
    const rlimit limit{4096, RLIM_INFINITY};
    if (setrlimit(RLIMIT_FSIZE, &limit) != 0) return 3;
    const KResult r = Save(path, std::string(200000, 'x'));
    return r.status() == KStatus::kCannotWrite && r.message() == "cannot write '" + path + "': File too large" ? 0 : 1;
  });
  EXPECT_EQ(status, 0);
  EXPECT_EQ(ReadFileBytes(path), old);

  // The same failure on a file written in place (a hard link) reaches the
  // staged copy only: the old bytes stay, under both names.
  const std::string other = dir.File("other.qvd");
  ASSERT_EQ(link(path.c_str(), other.c_str()), 0);
  for (const bool unnamed : {true, false}) {
    const int inPlace = InChild(false, [&] {
      std::signal(SIGXFSZ, SIG_IGN);
      KAtomicFile::AllowUnnamedFiles(unnamed);
      const rlimit limit{4096, RLIM_INFINITY};
      if (setrlimit(RLIMIT_FSIZE, &limit) != 0) return 3;
      const KResult r = Save(path, std::string(200000, 'x'));
      return r.message() == "cannot write '" + path + "': File too large" ? 0 : 1;
    });
    EXPECT_EQ(inPlace, 0) << unnamed;
    EXPECT_EQ(ReadFileBytes(other), old) << unnamed;
  }
  ASSERT_EQ(unlink(other.c_str()), 0);

  {
    // Abandoned without Commit.
    KAtomicFile file(path);
    file.Write(std::string(200000, 'y'));
  }
  EXPECT_EQ(ReadFileBytes(path), old);
  EXPECT_EQ(dir.Names(), std::vector<std::string>{"keep.qvd"});

  const std::string missing = dir.File("no/such/dir/a.qvd");
  const KResult r = Save(missing, "x");
  EXPECT_EQ(r.message(), "cannot write '" + missing + "': No such file or directory");
  EXPECT_EQ(Save("", "x").status(), KStatus::kCannotWrite);
  EXPECT_EQ(Save(path + "/a", "x").message(), "cannot write '" + path + "/a': Not a directory");
  EXPECT_EQ(dir.Names(), std::vector<std::string>{"keep.qvd"});
}

// Several writers of one file at once: each replacement is whole and none
// leaves a temporary behind.
TEST(AtomicFile, ConcurrentWritersEachReplaceTheFileWhole) {
  TempDir dir;
  const std::string path = dir.File("shared");
  std::vector<std::string> contents;
  for (int t = 0; t < 8; ++t) contents.push_back(std::string(100000 + t, static_cast<char>('a' + t)));
  std::vector<int> failures(contents.size(), 0);
  std::vector<std::thread> threads;
  for (std::size_t t = 0; t < contents.size(); ++t)
    threads.emplace_back([&, t] {
      for (int round = 0; round < 5; ++round) failures[t] += !Save(path, contents[t]).ok();
    });
  for (std::thread& t : threads) t.join();
  EXPECT_EQ(std::count(failures.begin(), failures.end(), 0), 8);
  const std::string final = ReadFileBytes(path);
  EXPECT_NE(std::find(contents.begin(), contents.end(), final), contents.end());
  EXPECT_EQ(dir.Names(), std::vector<std::string>{"shared"});
}

// A writer ended by a signal part way: nothing is left beside the old file.
// Unnamed new files survive even SIGKILL; named ones (where the system has
// no unnamed files) are removed by the signals that end a program politely.
struct KillCase {
  bool unnamed;
  int signal;
};

class AtomicFileKilled : public ::testing::TestWithParam<KillCase> {};

TEST_P(AtomicFileKilled, LeavesOnlyTheOldFile) {
  const KillCase c = GetParam();
  TempDir dir;
  const std::string path = dir.Write("keep.qvd", "old\n");
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    KAtomicFile::AllowUnnamedFiles(c.unnamed);
    KAtomicFile file(path);
    file.Write(std::string(300000, 'x'));  // past the first block: bytes on disk
    // The new file is visible by name only when it is a named one.
    if (dir.Names().size() != (c.unnamed ? 1u : 2u)) _exit(7);
    kill(getpid(), c.signal);
    _exit(8);
  }
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFSIGNALED(status)) << "exit " << WEXITSTATUS(status);
  EXPECT_EQ(WTERMSIG(status), c.signal);
  EXPECT_EQ(dir.Names(), std::vector<std::string>{"keep.qvd"});
  EXPECT_EQ(ReadFileBytes(path), "old\n");
}

INSTANTIATE_TEST_SUITE_P(Signals, AtomicFileKilled,
                         ::testing::Values(KillCase{true, SIGKILL}, KillCase{true, SIGTERM}, KillCase{false, SIGTERM},
                                           KillCase{false, SIGINT}, KillCase{false, SIGHUP}),
                         [](const auto& info) {
                           return std::string(info.param.unnamed ? "Unnamed" : "Named") + strsignal(info.param.signal);
                         });

TEST(AtomicFile, FullFileSystemFailsAndKeepsTheOldFile) {
  FullFileSystem fs(FullFileSystem::Files{{"keep.qvd", "old\n"}});
  if (!fs.ok()) GTEST_SKIP() << fs.reason();
  for (const bool unnamed : {true, false}) {
    KAtomicFile::AllowUnnamedFiles(unnamed);
    for (const std::string name : {"keep.qvd", "new.qvd"}) {
      const KResult r = Save(fs.File(name), std::string(100000, 'x'));
      EXPECT_EQ(r.message(), "cannot write '" + fs.File(name) + "': No space left on device") << unnamed;
    }
    EXPECT_EQ(fs.Names(), std::vector<std::string>{"keep.qvd"});
    EXPECT_EQ(ReadFileBytes(fs.File("keep.qvd")), "old\n");
  }
  KAtomicFile::AllowUnnamedFiles(true);
}

// Files written in place on a full disk: a hard link (the new bytes cannot
// even be staged there), and a writable file in a read-only directory (staged
// in TMPDIR, then no room can be reserved). Either way the old file stays.
TEST(AtomicFile, FullFileSystemKeepsAFileWrittenInPlace) {
  const std::string old(5000, 'o');
  FullFileSystem fs(FullFileSystem::Files{{"a.qvd", old}, {"b.qvd", old}});
  if (!fs.ok()) GTEST_SKIP() << fs.reason();
  const std::string a = fs.File("a.qvd"), b = fs.File("b.qvd"), link = fs.File("link.qvd");
  ASSERT_EQ(::link(a.c_str(), link.c_str()), 0);
  EXPECT_EQ(Save(a, std::string(100000, 'x')).message(), "cannot write '" + a + "': No space left on device");
  EXPECT_EQ(ReadFileBytes(link), old);

  ASSERT_EQ(chown(b.c_str(), kNobody, kNobody), 0);
  const std::string root = b.substr(0, b.rfind('/'));
  ASSERT_EQ(chmod(root.c_str(), 0555), 0);
  const int status = InChild(true, [&] {
    KAtomicFile::Method method{};
    const KResult r = Save(b, std::string(100000, 'x'), &method);
    return method == KAtomicFile::Method::kInPlace && r.message() == "cannot write '" + b + "': No space left on device"
               ? 0
               : 1;
  });
  chmod(root.c_str(), 0777);
  EXPECT_EQ(status, 0);
  EXPECT_EQ(ReadFileBytes(b), old);
  EXPECT_EQ(fs.Names(), (std::vector<std::string>{"a.qvd", "b.qvd", "link.qvd"}));
}

}  // namespace
