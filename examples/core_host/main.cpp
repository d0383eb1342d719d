// A headless host: opens the drawings named on the command line into one
// window object and prints what they hold, as "quarvel info" does. Exits 0
// when every file opened and the drawing has entries, 1 otherwise.
#include <cstdio>
#include <string>

#include <quarvel/model/document/document_summary.h>
#include <quarvel/window/editor/quarvel_window.h>

int main(int argc, char** argv) {
  QuarvelWindow window;
  for (int i = 1; i < argc; ++i) {
    const KResult opened = window.Open(argv[i]);
    if (!opened.ok()) {
      std::fprintf(stderr, "%s\n", opened.message().c_str());
      return 1;
    }
  }
  window.ComputeExtent();
  const KDocumentSummary summary = Summarize(window, window);
  std::fputs(SummaryText(summary).c_str(), stdout);
  return summary.entries > 0 ? 0 : 1;
}
