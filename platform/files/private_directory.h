#pragma once
// A directory only this user can write, for files a program makes under a
// fixed name (the gridding's default net file): in a shared directory such
// as /tmp another user could plant a link there and have us overwrite the
// file it leads to.
#include <string>

#include "platform/base/result.h"

// $XDG_RUNTIME_DIR when set to an absolute path; else $XDG_CACHE_HOME/quarvel,
// else $HOME/.cache/quarvel. Only computes the name.
std::string PrivateDirectoryPath();

// Makes dir (and missing parents, mode 0700) unless it exists, and checks
// that it is a directory, not a symbolic link, owned by this user and
// writable by nobody else; a directory of ours that others may write is
// narrowed to 0700. Fails (kRefused) naming dir and the reason otherwise.
KResult EnsurePrivateDirectory(const std::string& dir);

// Refuses (kRefused) when path's last component is a symbolic link owned by
// neither this user nor root: writing through it could reach a file another
// user chose. Success when it is no link or does not exist.
KResult CheckLinkOwner(const std::string& path);
