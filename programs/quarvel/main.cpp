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
  std::fprintf(out, "usage: quarvel COMMAND [OPTIONS] FILE...\n       quarvel help COMMAND\n       quarvel --version\n\ncommands:\n");
  for (const KCommand& c : Commands()) std::fprintf(out, "  %s\n", c.usage);
  return out == stdout ? KExit::kSuccess : KExit::kUsage;
}

static const KCommand* Find(const char* name) {
  for (const KCommand& c : Commands())
    if (std::strcmp(name, c.name) == 0) return &c;
  return nullptr;
}

// "--help" before any "--", or "-h" first: the command's usage is wanted.
static bool AsksForHelp(const std::vector<std::string>& args) {
  if (!args.empty() && args[0] == "-h") return true;
  for (const std::string& a : args) {
    if (a == "--") return false;
    if (a == "--help") return true;
  }
  return false;
}

static KExit CommandUsage(const KCommand& c) {
  std::printf("usage: quarvel %s\n", c.usage);
  return KExit::kSuccess;
}

static KExit Run(int argc, char** argv) {
  if (argc < 2) return Usage(stderr);
  if (!std::strcmp(argv[1], "--help") || !std::strcmp(argv[1], "-h")) return Usage(stdout);
  if (!std::strcmp(argv[1], "--version")) {
    std::printf("quarvel %s\n", QUARVEL_VERSION);
    return KExit::kSuccess;
  }
  if (!std::strcmp(argv[1], "help")) {
    if (argc == 2) return Usage(stdout);
    if (const KCommand* c = Find(argv[2])) return CommandUsage(*c);
    std::fprintf(stderr, "quarvel: unknown command '%s'\n", argv[2]);
    return Usage(stderr);
  }
  if (const KCommand* c = Find(argv[1])) {
    std::vector<std::string> args(argv + 2, argv + argc);
    return AsksForHelp(args) ? CommandUsage(*c) : c->run(args);
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
