// quarvel info [--json] [--verbose] FILE...: opens every file into one
// window, in order, choosing the reader by extension, and prints what the
// document holds.
#include <sys/stat.h>

#include <cstdio>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "io/document/decoded_files.h"
#include "model/document/document_summary.h"
#include "programs/quarvel/command.h"
#include "programs/quarvel/open_input.h"
#include "programs/quarvel/printed_warnings.h"
#include "window/editor/quarvel_window.h"

namespace {

KExit Usage() {
  std::fprintf(stderr, "usage: quarvel info [--json] [--verbose] FILE...\n");
  return KExit::kUsage;
}

// Takes the entries out of the window so they are never freed: the process
// ends right after the summary, and freeing a large drawing's records one by
// one (and the allocator's clean-up at exit that follows) costs a tenth of
// the whole run. Their destructors only release memory, so nothing
// observable is lost; layers, blocks and the rest of the window are still
// destroyed as usual. The holder stays reachable, so leak checkers do not
// count the entries as leaked.
void KeepEntriesUntilExit(QuarvelWindow& window) {
  static auto* const kept = new std::vector<std::vector<std::unique_ptr<KEntry>>>();
  kept->push_back(std::move(window.entries));
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
  KWarningList warnings;
  for (const std::string& file : files) {
    const std::size_t entries = window.entries.size(), layers = window.OwnedLayers().size();
    if (const KResult opened = OpenInput(window, file, &warnings); !opened) {
      std::fprintf(stderr, "quarvel info: %s\n", opened.message().c_str());
      status = ExitFor(opened.status());
      continue;
    }
    anyOpened = true;
    // A README or a binary opens as a drawing with nothing in it: say so,
    // rather than an empty summary that looks like an empty drawing.
    struct stat st {};
    if (window.entries.size() == entries && window.OwnedLayers().size() == layers && stat(file.c_str(), &st) == 0 &&
        st.st_size > 0)
      std::fprintf(stderr, "quarvel info: warning: %s: nothing in it was recognised as part of a drawing\n",
                   file.c_str());
  }
  for (const KWarning& w : warnings.items()) {
    issues.push_back({w.file, {w.what, w.offset.value_or(0), w.message}});
    // The counts hold, but pictures and grids were left out: said always.
    if (w.what == KDecodedFiles::kOverBudget) KPrintedWarnings("info").Warn(w);
  }
  // The extent is the one the last successful open left (a STEP file sets
  // its own lowest y). With nothing opened, compute it so the empty
  // document shows the sentinels rather than the constructor's zeros.
  if (!anyOpened) window.ComputeExtent();

  const KDocumentSummary summary = Summarize(window, window);
  const std::vector<KFileIssue>* listed = verbose ? &issues : nullptr;
  const auto write = [](std::string_view piece) { std::fwrite(piece.data(), 1, piece.size(), stdout); };
  if (json)
    WriteSummaryJson(summary, listed, write);
  else
    WriteSummaryText(summary, listed, write);
  KeepEntriesUntilExit(window);
  return status;
}

const KCommandRegistrar reg({"info", "info [--json] [--verbose] FILE...", &RunInfo});

}  // namespace
