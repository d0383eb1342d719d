// The exchange commands (export, import, net-export, grid3d-import) live in
// their own program, quarvel-exchange, so that only they pay for loading
// GDAL and its hundred-odd shared libraries. quarvel answers "help" for them
// itself and otherwise replaces itself with quarvel-exchange found beside
// the running program, else on the PATH: arguments, standard streams and the
// exit status are the helper's, exactly as if the command ran here.
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "programs/quarvel/command.h"
#include "programs/quarvel/exchange_usage.h"

namespace {

constexpr const char* kHelper = "quarvel-exchange";

// The folder of the running program, with its slash; "" when unknown.
std::string ProgramFolder() {
  std::string path(4096, '\0');
  const ssize_t n = readlink("/proc/self/exe", path.data(), path.size());
  if (n <= 0 || static_cast<std::size_t>(n) >= path.size()) return {};
  path.resize(static_cast<std::size_t>(n));
  return path.substr(0, path.rfind('/') + 1);
}

KExit RunHelper(const char* command, const std::vector<std::string>& args) {
  std::vector<std::string> words{kHelper, command};
  words.insert(words.end(), args.begin(), args.end());
  std::vector<char*> argv;
  for (std::string& w : words) argv.push_back(w.data());
  argv.push_back(nullptr);
  std::fflush(nullptr);  // nothing buffered may be lost to the exec

  int error = ENOENT;
  if (const std::string folder = ProgramFolder(); !folder.empty()) {
    const std::string beside = folder + kHelper;
    execv(beside.c_str(), argv.data());
    error = errno;
  }
  if (error == ENOENT) {
    execvp(kHelper, argv.data());
    error = errno;
  }
  if (error == ENOENT) {
    std::fprintf(stderr, "quarvel %s: %s not found (built without GDAL?)\n", command, kHelper);
    return KExit::kUsage;
  }
  std::fprintf(stderr, "quarvel %s: cannot run %s: %s\n", command, kHelper, std::strerror(error));
  return KExit::kFailure;
}

const KCommandRegistrar exportCommand(
    {"export", kExportUsage, [](const std::vector<std::string>& a) { return RunHelper("export", a); }});
const KCommandRegistrar importCommand(
    {"import", kImportUsage, [](const std::vector<std::string>& a) { return RunHelper("import", a); }});
const KCommandRegistrar netExportCommand(
    {"net-export", kNetExportUsage, [](const std::vector<std::string>& a) { return RunHelper("net-export", a); }});
const KCommandRegistrar grid3dImportCommand({"grid3d-import", kGrid3dImportUsage, [](const std::vector<std::string>& a) {
                                               return RunHelper("grid3d-import", a);
                                             }});

}  // namespace
