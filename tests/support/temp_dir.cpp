#include "tests/support/temp_dir.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <algorithm>
#include <cctype>
#include <filesystem>

#include "tests/support/file_bytes.h"

namespace fs = std::filesystem;

TempDir::TempDir() {
  // The test's name in the folder's name points to what a failing test
  // left behind.
  std::string name = "quarvel_";
  if (const auto* info = ::testing::UnitTest::GetInstance()->current_test_info()) name += info->name();
  std::replace_if(name.begin(), name.end(), [](char c) { return !std::isalnum(static_cast<unsigned char>(c)); }, '_');
  std::string pattern = (fs::temp_directory_path() / (name.substr(0, 60) + "_XXXXXX")).string();
  if (mkdtemp(pattern.data()))
    path_ = pattern;
  else
    ADD_FAILURE() << "cannot create a folder like " << pattern;
}

TempDir::~TempDir() {
  std::error_code ec;
  if (!path_.empty()) fs::remove_all(path_, ec);
}

std::string TempDir::File(const std::string& name) const { return (fs::path(path_) / name).string(); }

std::string TempDir::Write(const std::string& name, const std::string& bytes) const {
  const std::string path = File(name);
  WriteFileBytes(path, bytes);
  return path;
}

std::vector<std::string> TempDir::Names() const {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(path_)) names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}
