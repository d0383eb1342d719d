#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "programs/quarvel/command.h"

std::vector<KCommand>& Commands() {
  static std::vector<KCommand> commands;
  return commands;
}

// The command list: on standard output when asked for, else as a usage error.
static KExit Usage(std::FILE* out) {
  std::fprintf(out, "usage: quarvel COMMAND [OPTIONS] FILE...\n\ncommands:\n");
  for (const KCommand& c : Commands()) std::fprintf(out, "  %s\n", c.usage);
  return out == stdout ? KExit::kSuccess : KExit::kUsage;
}

static KExit Run(int argc, char** argv) {
  if (argc < 2) return Usage(stderr);
  if (!std::strcmp(argv[1], "--help") || !std::strcmp(argv[1], "-h")) return Usage(stdout);
  for (const KCommand& c : Commands()) {
    if (std::strcmp(argv[1], c.name) == 0) {
      std::vector<std::string> args(argv + 2, argv + argc);
      return c.run(args);
    }
  }
  std::fprintf(stderr, "quarvel: unknown command '%s'\n", argv[1]);
  return Usage(stderr);
}

// What a command printed counts only once it reached standard output: a full
// disk or a closed pipe there is a failure, however the command itself went.
static KExit CheckStandardOutput(KExit exit) {
  errno = 0;
  const bool flushed = std::fflush(stdout) == 0;
  const int error = errno;
  if (flushed && !std::ferror(stdout)) return exit;
  std::fprintf(stderr, "quarvel: cannot write standard output: %s\n",
               error ? std::strerror(error) : "write error");
  return exit == KExit::kSuccess ? KExit::kFailure : exit;
}

int main(int argc, char** argv) { return static_cast<int>(CheckStandardOutput(Run(argc, argv))); }
