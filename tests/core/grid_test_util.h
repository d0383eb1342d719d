#pragma once
// Helpers shared by the gridding tests: a private temporary folder and a
// status that records what the driver reports.
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "grid/fxy/fxy_driver.h"

// A fresh folder under the system temp directory, removed with its content.
class GridTempDir {
public:
  GridTempDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "quarvel_grid_XXXXXX").string();
    path_ = mkdtemp(pattern.data()) ? pattern : std::string();
  }
  ~GridTempDir() {
    std::error_code ec;
    if (!path_.empty()) std::filesystem::remove_all(path_, ec);
  }
  GridTempDir(const GridTempDir&) = delete;
  GridTempDir& operator=(const GridTempDir&) = delete;
  std::string File(const std::string& name) const { return path_ + "/" + name; }
  const std::string& path() const { return path_; }
  // Names of the files in the folder.
  std::vector<std::string> Names() const {
    std::vector<std::string> names;
    for (const auto& e : std::filesystem::directory_iterator(path_)) names.push_back(e.path().filename().string());
    return names;
  }

private:
  std::string path_;
};

// Keeps every line and answers the question from a script.
class RecordingStatus : public KFxyStatus {
public:
  struct Line {
    int x, y;
    std::string text;
  };
  std::vector<Line> lines;
  std::vector<KFxyProgress> progress;
  std::vector<int> answers;   // answer k goes to question k; then 0
  int asked = 0;
  bool stop = false;

  void Text(int x, int y, const std::string& text) override { lines.push_back({x, y, text}); }
  void Progress(const KFxyProgress& p) override { progress.push_back(p); }
  int Ask() override {
    const int k = asked++;
    return k < static_cast<int>(answers.size()) ? answers[static_cast<std::size_t>(k)] : 0;
  }
  bool StopRequested() override { return stop; }
};
