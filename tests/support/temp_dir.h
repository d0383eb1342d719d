#pragma once
// A private folder for one test, removed with everything in it.
#include <string>
#include <vector>

class TempDir {
public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::string& path() const { return path_; }
  // The path of name inside the folder (the file need not exist).
  std::string File(const std::string& name) const;
  // Writes bytes to name inside the folder and returns its path.
  std::string Write(const std::string& name, const std::string& bytes) const;
  // Names of the entries in the folder, sorted.
  std::vector<std::string> Names() const;

private:
  std::string path_;
};
