// quarvel convert [--verbose] IN... -o OUT: opens the drawings into one
// window, as "quarvel info" does, and saves the window as one text drawing.
// What the readers skipped or rejected is printed as warnings; --verbose
// adds the counts of entries read and written.
#include <cstdio>
#include <string>
#include <vector>

#include "programs/quarvel/command.h"
#include "programs/quarvel/open_input.h"
#include "programs/quarvel/printed_warnings.h"
#include "window/editor/document_kind.h"
#include "window/editor/quarvel_window.h"

namespace {

constexpr const char* kUsage = "convert [--verbose] IN... -o OUT";

struct Options {
  bool verbose = false;
  std::vector<std::string> inputs;
  std::string output;
};

// Fills options; false (with a message on stderr) when the arguments do not
// make a conversion. After "--" every argument is an input.
bool ParseArguments(const std::vector<std::string>& args, Options& options) {
  bool haveOutput = false, optionsDone = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (optionsDone) {
      options.inputs.push_back(a);
    } else if (a == "--") {
      optionsDone = true;
    } else if (a == "--verbose" || a == "-v") {
      options.verbose = true;
    } else if (a == "-o" || a == "--output") {
      if (i + 1 >= args.size()) {
        std::fprintf(stderr, "quarvel convert: %s needs a file name\n", a.c_str());
        return false;
      }
      options.output = args[++i];
      haveOutput = true;
    } else if (a.size() > 1 && a[0] == '-') {
      std::fprintf(stderr, "quarvel convert: unknown option '%s'\n", a.c_str());
      return false;
    } else {
      options.inputs.push_back(a);
    }
  }
  if (options.inputs.empty() || !haveOutput || options.output.empty()) {
    std::fprintf(stderr, "usage: quarvel %s\n", kUsage);
    return false;
  }
  if (const KResult name = CheckTextDrawingName(options.output); !name) {
    std::fprintf(stderr, "quarvel convert: %s\n", name.message().c_str());
    return false;
  }
  return true;
}

KExit RunConvert(const std::vector<std::string>& args) {
  Options options;
  if (!ParseArguments(args, options)) return KExit::kUsage;

  // What the readers dropped is told whether verbose or not: the output
  // will not hold it.
  QuarvelWindow window;
  KPrintedWarnings warnings("convert");
  for (const std::string& input : options.inputs) {
    const std::size_t entriesBefore = window.entries.size();
    if (const KResult opened = OpenInput(window, input, &warnings); !opened) {
      std::fprintf(stderr, "quarvel convert: %s; nothing written\n", opened.message().c_str());
      return ExitFor(opened.status());
    }
    if (options.verbose)
      std::fprintf(stderr, "%s: %zu entries read\n", input.c_str(), window.entries.size() - entriesBefore);
  }
  if (const KResult saved = window.Save(options.output); !saved) {
    std::fprintf(stderr, "quarvel convert: %s\n", saved.message().c_str());
    return KExit::kFailure;
  }
  if (options.verbose)
    std::fprintf(stderr, "%s: %zu entries written\n", options.output.c_str(), window.entries.size());
  return KExit::kSuccess;
}

const KCommandRegistrar reg({"convert", kUsage, &RunConvert});

}  // namespace
