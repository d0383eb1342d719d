// The head of a STEP file: one line per step up to a line starting with "''".
#include <algorithm>
#include <climits>
#include <cstdlib>
#include <string>
#include <vector>

#include "document/elements.h"
#include "document/io/lexer.h"
#include "document/io/reader_util.h"
#include "document/io/record_readers.h"

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
  std::vector<std::string> lines;
  std::string line;
  while (ReadLine(ctx.src, line)) {
    if (StartsWith(line, "''")) break;
    lines.push_back(line);
  }

  auto list = std::make_unique<KStepList>();
  std::size_t steps = 0;
  for (const std::string& l : lines)
    if (!StartsWith(l, "'")) ++steps;
  list->steps.resize(steps);

  std::size_t current = 0;
  for (const std::string& l : lines) {
    if (StartsWith(l, "'")) {
      // A comment describes the step that follows it; one after the last
      // step has none to go to.
      if (current < steps) {
        list->steps[current].comment = l.substr(1);
        list->steps[current].hasComment = true;
      } else {
        ctx.Report("step comment dropped", "no step follows it");
      }
      continue;
    }
    KStep& step = list->steps[current++];
    if (StartsWith(l, "#")) {
      // Counts are written in four digits at least; a longer count moves
      // the command along rather than lending it a blank or digits.
      std::size_t digits = 0;
      while (1 + digits < l.size() && l[1 + digits] >= '0' && l[1 + digits] <= '9') ++digits;
      const long long count = std::strtoll(l.c_str() + 1, nullptr, 10);
      step.runCount = static_cast<int>(std::clamp<long long>(count, INT_MIN, INT_MAX));
      step.command = std::string(TailFrom(l, std::max(kCommandAfterRunCount, digits + 2)));
      step.hasCommand = true;
    } else if (IsRemark(l)) {
      step.remark = l.substr(kRemarkStart);
      step.hasRemark = true;
    } else if (l.empty()) {
      step.comment.clear();
      step.hasComment = true;
    } else {
      step.command = l;
      step.hasCommand = true;
    }
  }
  return list;
}
