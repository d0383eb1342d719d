#include "platform/files/private_directory.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

namespace {

constexpr mode_t kPrivateMode = 0700;

std::string Env(const char* name) {
  const char* value = std::getenv(name);
  return value ? std::string(value) : std::string();
}

bool Absolute(const std::string& path) { return !path.empty() && path[0] == '/'; }

KResult Refuse(const std::string& dir, const std::string& why) {
  return KResult(KStatus::kRefused, "cannot use '" + dir + "' as a private directory: " + why);
}

// Makes each missing directory of path, mode 0700.
KResult MakeDirectories(const std::string& path) {
  for (std::size_t slash = path.find('/', 1);; slash = path.find('/', slash + 1)) {
    const std::string part = path.substr(0, slash);
    if (mkdir(part.c_str(), kPrivateMode) != 0 && errno != EEXIST)
      return ErrnoResult(KStatus::kCannotWrite, "cannot make", part, errno);
    if (slash == std::string::npos) return KResult::Ok();
  }
}

}  // namespace

std::string PrivateDirectoryPath() {
  if (const std::string runtime = Env("XDG_RUNTIME_DIR"); Absolute(runtime)) return runtime;
  if (const std::string cache = Env("XDG_CACHE_HOME"); Absolute(cache)) return cache + "/quarvel";
  return Env("HOME") + "/.cache/quarvel";
}

KResult EnsurePrivateDirectory(const std::string& dir) {
  if (!Absolute(dir)) return Refuse(dir, "not an absolute path");
  struct stat st {};
  if (lstat(dir.c_str(), &st) != 0) {
    if (errno != ENOENT) return ErrnoResult(KStatus::kCannotOpen, "cannot open", dir, errno);
    if (KResult made = MakeDirectories(dir); !made) return made;
    if (lstat(dir.c_str(), &st) != 0) return ErrnoResult(KStatus::kCannotOpen, "cannot open", dir, errno);
  }
  if (S_ISLNK(st.st_mode)) return Refuse(dir, "it is a symbolic link");
  if (!S_ISDIR(st.st_mode)) return Refuse(dir, "it is not a directory");
  if (st.st_uid != geteuid()) return Refuse(dir, "it belongs to another user");
  if ((st.st_mode & (S_IWGRP | S_IWOTH)) != 0 && chmod(dir.c_str(), kPrivateMode) != 0)
    return Refuse(dir, "others may write it");
  return KResult::Ok();
}

KResult CheckLinkOwner(const std::string& path) {
  struct stat st {};
  if (lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return KResult::Ok();
  if (st.st_uid == geteuid() || st.st_uid == 0) return KResult::Ok();
  return KResult(KStatus::kRefused,
                 "will not write '" + path + "': it is a symbolic link of another user's, which could lead anywhere");
}
