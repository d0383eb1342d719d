// quarvel info [--json] [--verbose] FILE...: opens every file into one
// window, in order, choosing the reader by extension, and prints what the
// document holds.
#include <unistd.h>

#include <cstdio>
#include <string>
#include <vector>

#include "document/document_summary.h"
#include "platform/progress.h"
#include "programs/quarvel/command.h"
#include "window/quarvel_window.h"

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

int Usage() {
  std::fprintf(stderr, "usage: quarvel info [--json] [--verbose] FILE...\n");
  return 2;
}

int RunInfo(const std::vector<std::string>& args) {
  bool json = false, verbose = false, optionsDone = false;
  std::vector<std::string> files;
  for (const std::string& a : args) {
    if (!optionsDone && a == "--json") {
      json = true;
    } else if (!optionsDone && a == "--verbose") {
      verbose = true;
    } else if (!optionsDone && a == "--") {
      optionsDone = true;
    } else if (!optionsDone && a.size() > 1 && a[0] == '-') {
      std::fprintf(stderr, "quarvel info: unknown option '%s'\n", a.c_str());
      return Usage();
    } else {
      files.push_back(a);
    }
  }
  if (files.empty()) return Usage();

  // Images named by BMPIN are not decoded here (no image decoder is
  // installed): the counts do not depend on their pixels.
  QuarvelWindow window;
  std::vector<KFileIssue> issues;
  int status = 0;
  bool anyOpened = false;
  const bool terminal = isatty(STDERR_FILENO) == 1;
  for (const std::string& file : files) {
    const std::size_t issuesBefore = window.readIssues.size();
    int opened;
    if (terminal) {
      TerminalProgress progress(file);
      opened = window.OnOpenDocument(file, &progress);
    } else {
      opened = window.OnOpenDocument(file);
    }
    if (!opened) {
      std::fprintf(stderr, "quarvel info: cannot open '%s'\n", file.c_str());
      status = 1;
      continue;
    }
    anyOpened = true;
    for (std::size_t i = issuesBefore; i < window.readIssues.size(); ++i)
      issues.push_back({file, window.readIssues[i]});
  }
  // The extent is the one the last successful open left (a STEP file sets
  // its own lowest y). With nothing opened, compute it so the empty
  // document shows the sentinels rather than the constructor's zeros.
  if (!anyOpened) window.ComputeExtent();

  const KDocumentSummary summary = Summarize(window);
  const std::vector<KFileIssue>* listed = verbose ? &issues : nullptr;
  const std::string out = json ? SummaryJson(summary, listed) : SummaryText(summary, listed);
  std::fwrite(out.data(), 1, out.size(), stdout);
  return status;
}

const KCommandRegistrar reg({"info", "info [--json] [--verbose] FILE...", &RunInfo});

}  // namespace
