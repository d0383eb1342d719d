#pragma once
// Where the SEG-Y outputs are written: all or nothing, through a new file
// beside the target that replaces it only when everything was written.
#include <cstdio>
#include <string>
#include <string_view>

#include "platform/result.h"

class KSegyOutput {
public:
  explicit KSegyOutput(std::string path);
  ~KSegyOutput();  // without Commit, the new file is removed
  KSegyOutput(const KSegyOutput&) = delete;
  KSegyOutput& operator=(const KSegyOutput&) = delete;

  void Write(std::string_view bytes);
  // Puts the file in place; the first failure, naming the path, or success.
  KResult Commit();

private:
  std::string path_, temp_;
  std::FILE* file_ = nullptr;
  int error_ = 0;
};
