#pragma once
// Running a program as a user would: arguments without a shell, standard
// input closed, standard output and error captured, the exit status kept.
#include <sys/types.h>

#include <string>
#include <vector>

#include "tests/support/temp_dir.h"

struct ProgramRun {
  int status = -1;  // the exit code; minus the signal number when killed
  std::string out, err;
};

// Where and how to run: dir the working directory (empty keeps the test's),
// env NAME=VALUE entries added to the environment, out a file that takes
// standard output instead of the capture (such as /dev/full).
struct ProgramOptions {
  std::string dir;
  std::vector<std::string> env;
  std::string out;
};

// A started program; the destructor kills and reaps one still running.
class RunningProgram {
public:
  RunningProgram(const std::string& binary, const std::vector<std::string>& args, const ProgramOptions& options = {});
  ~RunningProgram();
  RunningProgram(const RunningProgram&) = delete;
  RunningProgram& operator=(const RunningProgram&) = delete;

  pid_t pid() const { return pid_; }
  // What the program has written to standard error so far.
  std::string ErrSoFar() const;
  ProgramRun Wait();

private:
  TempDir dir_;
  pid_t pid_ = -1;
};

ProgramRun RunProgram(const std::string& binary, const std::vector<std::string>& args,
                      const ProgramOptions& options = {});

#ifdef QUARVEL_BINARY
inline ProgramRun RunQuarvel(const std::vector<std::string>& args, const std::string& dir = {},
                             const std::vector<std::string>& env = {}) {
  return RunProgram(QUARVEL_BINARY, args, ProgramOptions{dir, env, {}});
}
#endif
