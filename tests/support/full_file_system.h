#pragma once
// A file system with no free space left, for writers that must fail cleanly
// on a full disk: a small tmpfs mounted on a fresh folder, holding the files
// a test puts there first and then filled to the last block. Needs the right
// to mount (root); reason() says why it is not there otherwise.
#include <string>
#include <vector>

#include "tests/support/temp_dir.h"

class FullFileSystem {
public:
  using Files = std::vector<std::pair<std::string, std::string>>;  // name, bytes
  // Mounts the file system and writes each of files to it.
  explicit FullFileSystem(const Files& files);
  ~FullFileSystem();
  FullFileSystem(const FullFileSystem&) = delete;
  FullFileSystem& operator=(const FullFileSystem&) = delete;

  bool ok() const { return reason_.empty(); }
  const std::string& reason() const { return reason_; }
  std::string File(const std::string& name) const { return dir_.File(name); }
  // Names in the file system, sorted, without the file that fills it.
  std::vector<std::string> Names() const;

private:
  TempDir dir_;
  bool mounted_ = false;
  std::string reason_;
};
