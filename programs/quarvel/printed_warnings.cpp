#include "programs/quarvel/printed_warnings.h"

#include <cstdio>

void KPrintedWarnings::Warn(KWarning warning) {
  std::fprintf(stderr, "quarvel %s: warning: %s\n", command_.c_str(), WarningText(warning).c_str());
}
