#include "programs/quarvel/printed_warnings.h"

#include <cstdio>

void KPrintedWarnings::Warn(KWarning warning) {
  std::int64_t line = 0, column = 0;
  if (warning.offset && !warning.file.empty())
    lines_.try_emplace(warning.file, warning.file).first->second.Locate(*warning.offset, line, column);
  std::fprintf(stderr, "quarvel %s: warning: %s\n", command_.c_str(), WarningText(warning, line, column).c_str());
}
