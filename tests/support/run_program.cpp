#include "tests/support/run_program.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cerrno>

#include "tests/support/file_bytes.h"

extern char** environ;

RunningProgram::RunningProgram(const std::string& binary, const std::vector<std::string>& args,
                               const ProgramOptions& options) {
  // Everything the child needs is prepared here: after fork it may only
  // make async-signal-safe calls (the Qt tests have threads).
  std::vector<std::string> argStore = {binary};
  argStore.insert(argStore.end(), args.begin(), args.end());
  std::vector<char*> argv;
  for (std::string& a : argStore) argv.push_back(a.data());
  argv.push_back(nullptr);
  std::vector<std::string> envStore = options.env;
  std::vector<char*> envp;
  for (std::string& e : envStore) envp.push_back(e.data());
  for (char** e = environ; *e; ++e) envp.push_back(*e);
  envp.push_back(nullptr);

  const int in = open("/dev/null", O_RDONLY | O_CLOEXEC);
  const std::string outPath = options.out.empty() ? dir_.File("out") : options.out;
  const int out = open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  const int err = open(dir_.File("err").c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (in < 0 || out < 0 || err < 0) {
    ADD_FAILURE() << "cannot open the program's standard streams";
  } else {
    pid_ = fork();
    if (pid_ == 0) {
      if (dup2(in, 0) < 0 || dup2(out, 1) < 0 || dup2(err, 2) < 0) _exit(126);
      if (!options.dir.empty() && chdir(options.dir.c_str()) != 0) _exit(126);
      execve(binary.c_str(), argv.data(), envp.data());
      _exit(127);
    }
    if (pid_ < 0) ADD_FAILURE() << "fork failed";
  }
  for (int fd : {in, out, err})
    if (fd >= 0) close(fd);
}

RunningProgram::~RunningProgram() {
  if (pid_ <= 0) return;
  kill(pid_, SIGKILL);
  while (waitpid(pid_, nullptr, 0) < 0 && errno == EINTR) {
  }
}

std::string RunningProgram::ErrSoFar() const { return ReadFileBytes(dir_.File("err")); }

ProgramRun RunningProgram::Wait() {
  ProgramRun run;
  if (pid_ > 0) {
    int raw = 0;
    pid_t got;
    while ((got = waitpid(pid_, &raw, 0)) < 0 && errno == EINTR) {
    }
    if (got == pid_) run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : WIFSIGNALED(raw) ? -WTERMSIG(raw) : -1;
    pid_ = -1;
  }
  run.out = ReadFileBytes(dir_.File("out"));
  run.err = ReadFileBytes(dir_.File("err"));
  return run;
}

ProgramRun RunProgram(const std::string& binary, const std::vector<std::string>& args,
                      const ProgramOptions& options) {
  return RunningProgram(binary, args, options).Wait();
}
