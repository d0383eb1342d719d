// The step lines at the head of a STEP file.
#include <cstdio>

#include "model/document/elements.h"
#include "io/document/writer_parts.h"

namespace {

// True when a command written alone would read back as something else: a
// comment ("'"), a numbered command ("#"), a remark ("rem " in any case) or
// an empty step.
bool NeedsRunCount(const std::string& command) {
  if (command.empty()) return true;
  if (command[0] == '\'' || command[0] == '#') return true;
  if (command.size() >= 4 && command[3] == ' ') {
    const auto upper = [](char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; };
    if (upper(command[0]) == 'R' && upper(command[1]) == 'E' && upper(command[2]) == 'M') return true;
  }
  return false;
}

std::string Numbered(int runCount, const std::string& command) {
  char number[16];
  std::snprintf(number, sizeof number, "#%04d ", runCount);
  return number + command;
}

}  // namespace

void WriteStepList(KOutput& out, const KStepList& steps) {
  for (const KStep& step : steps.steps) {
    // A comment belongs to the step that the next non-comment line makes, so
    // it goes first: after a remark line it would land on the next step.
    if (step.hasComment && (step.hasCommand || step.hasRemark))
      WriteRestOfLine(out, "'" + OneLine(step.comment), kLf);
    if (step.hasRemark) WriteRestOfLine(out, "rem " + OneLine(step.remark), kLf);
    if (step.hasCommand) {
      const std::string command = OneLine(step.command);
      WriteRestOfLine(out, step.runCount != 0 || NeedsRunCount(command) ? Numbered(step.runCount, command) : command,
                      kLf);
    } else if (!step.hasRemark) {
      // A step with neither command nor remark is an empty line; a comment
      // line alone would not make a step.
      out << kLf;
    }
  }
  out << "''" << kLf;
}
