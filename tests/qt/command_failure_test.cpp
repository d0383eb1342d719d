// Every quarvel command fails alike on an input it cannot open: the reason
// from the reader on standard error, exit status 1, nothing written.
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

struct CommandRun {
  int status;
  std::string err;
};

CommandRun Quarvel(const std::vector<std::string>& args, const std::string& errPath) {
  std::string cmd = std::string("'") + QUARVEL_BINARY + "'";
  for (const std::string& a : args) cmd += " '" + a + "'";
  cmd += " >/dev/null 2>'" + errPath + "'";
  const int raw = std::system(cmd.c_str());
  std::ifstream in(errPath, std::ios::binary);
  std::stringstream err;
  err << in.rdbuf();
  return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, err.str()};
}

TEST(CommandFailure, EveryCommandNamesWhyAnInputDoesNotOpen) {
  std::string pattern = (std::filesystem::temp_directory_path() / "quarvel_cmdfail_XXXXXX").string();
  ASSERT_NE(mkdtemp(pattern.data()), nullptr);
  const std::string folder = pattern;
  const std::string dir = folder + "/a directory";
  ASSERT_TRUE(std::filesystem::create_directory(dir));
  const std::string out = folder + "/out";

  const std::vector<std::vector<std::string>> commands = {
      {"info", dir},
      {"convert", dir, "-o", out + ".qvd"},
      {"render", dir, "-o", out + ".png"},
      {"grid", dir, "-o", out + ".net"},
      {"net-xyz", dir},
  };
  for (const std::vector<std::string>& args : commands) {
    SCOPED_TRACE(args[0]);
    const CommandRun r = Quarvel(args, folder + "/err");
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("quarvel " + args[0] + ": cannot open '" + dir + "': Is a directory"), std::string::npos)
        << r.err;
  }
  // Render still paints the (empty) drawing; the others write nothing.
  EXPECT_FALSE(std::filesystem::exists(out + ".qvd"));
  EXPECT_FALSE(std::filesystem::exists(out + ".net"));
  std::filesystem::remove_all(folder);
}

}  // namespace
