// The head of a STEP file: one line per step up to a line starting with "''".
#include <algorithm>
#include <climits>
#include <cstdlib>
#include <string>

#include "model/document/elements.h"
#include "io/document/lexer.h"
#include "io/document/reader_util.h"
#include "io/document/record_readers.h"

namespace {

// "#0001 command": the command starts after "#", four digits and a blank.
constexpr std::size_t kCommandAfterRunCount = 6;
// "REM text": the remark starts after "REM ".
constexpr std::size_t kRemarkStart = 4;

bool IsRemark(const std::string& line) {
  if (line.size() < kRemarkStart || line[3] != ' ') return false;
  std::string head = line.substr(0, 3);
  ToUpperAscii(head);
  return head == "REM";
}

}  // namespace

std::unique_ptr<KStepList> ReadStepList(KReadContext& ctx) {
  // One pass, without holding the lines: a comment waits for the step that
  // follows it (the last of several wins).
  auto list = std::make_unique<KStepList>();
  std::string line;
  std::string comment;
  bool hasComment = false;
  std::size_t commentsWaiting = 0;
  while (ReadLine(ctx.src, line)) {
    if (StartsWith(line, "''")) break;
    if (StartsWith(line, "'")) {
      comment.assign(line, 1);
      hasComment = true;
      ++commentsWaiting;
      continue;
    }
    KStep& step = list->steps.emplace_back();
    if (hasComment) {
      step.comment = std::move(comment);
      step.hasComment = true;
      comment.clear();
      hasComment = false;
    }
    commentsWaiting = 0;
    if (StartsWith(line, "#")) {
      // Counts are written in four digits at least; a longer count moves
      // the command along rather than lending it a blank or digits.
      std::size_t digits = 0;
      while (1 + digits < line.size() && line[1 + digits] >= '0' && line[1 + digits] <= '9') ++digits;
      const long long count = std::strtoll(line.c_str() + 1, nullptr, 10);
      step.runCount = static_cast<int>(std::clamp<long long>(count, INT_MIN, INT_MAX));
      // The count is an int: a larger one is kept as the largest, and said.
      if (step.runCount != count)
        ctx.Report("step run count out of range", "kept as " + std::to_string(step.runCount));
      step.command = std::string(TailFrom(line, std::max(kCommandAfterRunCount, digits + 2)));
      step.hasCommand = true;
    } else if (IsRemark(line)) {
      step.remark = line.substr(kRemarkStart);
      step.hasRemark = true;
    } else if (line.empty()) {
      step.comment.clear();
      step.hasComment = true;
    } else {
      step.command = line;
      step.hasCommand = true;
    }
  }
  // A comment after the last step has none to go to.
  for (; commentsWaiting > 0; --commentsWaiting) ctx.Report("step comment dropped", "no step follows it");
  return list;
}
