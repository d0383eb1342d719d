// quarvel info [--json] [--verbose] FILE...: opens every file into one
// window, in order, choosing the reader by extension, and prints what the
// document holds.
#include <cstdio>
#include <string>
#include <vector>

#include "document/document_summary.h"
#include "programs/quarvel/command.h"
#include "programs/quarvel/open_input.h"
#include "window/quarvel_window.h"

namespace {

KExit Usage() {
  std::fprintf(stderr, "usage: quarvel info [--json] [--verbose] FILE...\n");
  return KExit::kUsage;
}

KExit RunInfo(const std::vector<std::string>& args) {
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
  // The others are still read when one cannot be opened; the status is the
  // last failure's.
  KExit status = KExit::kSuccess;
  bool anyOpened = false;
  for (const std::string& file : files) {
    const std::size_t issuesBefore = window.readIssues.size();
    if (const KResult opened = OpenInput(window, file); !opened) {
      std::fprintf(stderr, "quarvel info: %s\n", opened.message().c_str());
      status = ExitFor(opened.status());
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
