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
  std::vector<KFxyAnswer> answers;  // answer k goes to question k; then kContinue
  int asked = 0;
  bool stop = false;

  void Text(int x, int y, const std::string& text) override { lines.push_back({x, y, text}); }
  void Progress(const KFxyProgress& p) override { progress.push_back(p); }
  KFxyAnswer Ask() override {
    const std::size_t k = static_cast<std::size_t>(asked++);
    return k < answers.size() ? answers[k] : KFxyAnswer::kContinue;
  }
  bool StopRequested() override { return stop; }
};
