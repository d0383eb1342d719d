#include "exchange/gdal/staged_output.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <system_error>
#include <vector>

namespace fs = std::filesystem;

KStagedOutput::KStagedOutput(std::string target) : target_(std::move(target)) {
  const fs::path t(target_);
  const fs::path dir = t.has_parent_path() ? t.parent_path() : fs::path(".");
  std::string pattern = (dir / (".quarvel-" + t.filename().string() + ".XXXXXX")).string();
  std::vector<char> buffer(pattern.begin(), pattern.end());
  buffer.push_back('\0');
  if (!mkdtemp(buffer.data())) {
    status_ = ErrnoResult(KStatus::kCannotWrite, "cannot write", target_, errno);
    return;
  }
  folder_ = buffer.data();
  staged_ = (fs::path(folder_) / t.filename()).string();
}

KStagedOutput::~KStagedOutput() {
  if (folder_.empty()) return;
  std::error_code ignored;
  fs::remove_all(folder_, ignored);
}

KResult KStagedOutput::Commit() {
  if (!status_) return status_;
  const fs::path dir = fs::path(target_).has_parent_path() ? fs::path(target_).parent_path() : fs::path(".");
  std::error_code error;
  for (const fs::directory_entry& entry : fs::directory_iterator(folder_, error)) {
    const fs::path to = dir / entry.path().filename();
    if (std::rename(entry.path().c_str(), to.c_str()) != 0)
      return ErrnoResult(KStatus::kCannotWrite, "cannot write", to.string(), errno);
  }
  if (error) return {KStatus::kCannotWrite, "cannot write '" + target_ + "': " + error.message()};
  return KResult::Ok();
}
