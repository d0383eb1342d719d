#pragma once
// The gridding driver's status as a test sees it: every line and progress
// report kept, questions answered from a script.
#include <string>
#include <vector>

#include "io/fxy/fxy_driver.h"

class RecordingStatus : public KFxyStatus {
public:
  struct Line {
    int x, y;
    std::string text;
  };
  std::vector<Line> lines;
  std::vector<KFxyProgress> progress;
  std::vector<int> answers;  // answer k goes to question k; then 0
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
