#include "programs/quarvel/open_input.h"

#include <unistd.h>

#include <cstdint>
#include <cstdio>

#include "platform/base/progress.h"
#include "window/editor/quarvel_window.h"

namespace {

// A one-line bar on standard error while a drawing is read; redrawn only
// when the percentage changes, so reporting stays cheap.
class TerminalProgress : public KProgressSink {
public:
  explicit TerminalProgress(std::string label) : label_(std::move(label)) {}
  ~TerminalProgress() override {
    if (drawn_) std::fprintf(stderr, "\r\033[K");
  }
  void SetTotal(std::int64_t total) override { total_ = total; }
  void SetPos(std::int64_t pos) override {
    const int percent = total_ > 0 ? static_cast<int>(pos * 100 / total_) : 100;
    if (percent == percent_) return;
    percent_ = percent;
    constexpr int kWidth = 40;
    const int filled = percent * kWidth / 100;
    std::fprintf(stderr, "\r%s [%s%s] %3d%%", label_.c_str(), std::string(filled, '#').c_str(),
                 std::string(kWidth - filled, '.').c_str(), percent);
    std::fflush(stderr);
    drawn_ = true;
  }

private:
  std::string label_;
  std::int64_t total_ = 0;
  int percent_ = -1;
  bool drawn_ = false;
};

}  // namespace

KResult OpenInput(QuarvelWindow& window, const std::string& path, KWarningSink* warnings) {
  const std::size_t before = window.ReadIssues().size();
  KResult opened;
  if (isatty(STDERR_FILENO) != 1) {
    opened = window.Open(path);
  } else {
    TerminalProgress progress(path);   // its line is cleared before any warning
    opened = window.Open(path, &progress);
  }
  if (warnings)
    for (std::size_t i = before; i < window.ReadIssues().size(); ++i) {
      const KReadIssue& issue = window.ReadIssues()[i];
      warnings->Warn({path, issue.offset, issue.what, issue.why});
    }
  return opened;
}
