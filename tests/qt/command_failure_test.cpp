// Every quarvel command fails alike on an input it cannot open (the reason
// from the reader on standard error, exit status 1, nothing written) and on
// a standard output that cannot take what it prints.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "tests/support/result_checks.h"

namespace {

TEST(CommandFailure, EveryCommandNamesWhyAnInputDoesNotOpen) {
  TempDir folder;
  const std::string dir = folder.File("a directory");
  ASSERT_TRUE(std::filesystem::create_directory(dir));
  const std::string out = folder.File("out");

  const std::vector<std::vector<std::string>> commands = {
      {"info", dir},
      {"convert", dir, "-o", out + ".qvd"},
      {"render", dir, "-o", out + ".png"},
      {"grid", dir, "-o", out + ".net"},
      {"net-xyz", dir},
  };
  for (const std::vector<std::string>& args : commands) {
    SCOPED_TRACE(args[0]);
    EXPECT_TRUE(ExitedWith(RunQuarvel(args), 1, {"quarvel " + args[0] + ": cannot open '" + dir + "': Is a directory"}));
  }
  // Render still paints the (empty) drawing; the others write nothing.
  EXPECT_FALSE(std::filesystem::exists(out + ".qvd"));
  EXPECT_FALSE(std::filesystem::exists(out + ".net"));
}

// Asking for help prints the command's usage on standard output and succeeds,
// however it is asked; the version comes from the build.
TEST(CommandFailure, HelpAndVersionSucceedOnStandardOutput) {
  const std::vector<std::vector<std::string>> asks = {
      {"help", "convert"}, {"convert", "--help"}, {"convert", "a.qvd", "--help"}, {"convert", "-h"}};
  for (const std::vector<std::string>& args : asks) {
    const ProgramRun r = RunQuarvel(args);
    EXPECT_EQ(r.status, 0) << args[0] << " " << args[1];
    EXPECT_EQ(r.out, "usage: quarvel convert [--verbose] IN... -o OUT\n") << args[0] << " " << args[1];
  }
  // After "--" it is a file name, not a request for help.
  EXPECT_TRUE(ExitedWith(RunQuarvel({"info", "--", "--help"}), 1, {"cannot open '--help'"}));
  EXPECT_TRUE(ExitedWith(RunQuarvel({"help", "frobnicate"}), 2, {"unknown command 'frobnicate'"}));
  EXPECT_EQ(RunQuarvel({"--version"}).out, "quarvel " QUARVEL_VERSION_TEXT "\n");
}

TEST(CommandFailure, AFullStandardOutputIsAFailureNamedOnStandardError) {
  const std::string map = std::string(QUARVEL_SOURCE_DIR) + "/examples/map.qvd";
  const std::vector<std::vector<std::string>> commands = {{"info", map}, {"info", "--json", map}, {"--help"}};
  ProgramOptions full;
  full.out = "/dev/full";
  for (const std::vector<std::string>& args : commands) {
    SCOPED_TRACE(args[0] + " " + args[1 % args.size()]);
    EXPECT_TRUE(ExitedWith(RunProgram(QUARVEL_BINARY, args, full), 1,
                           {"quarvel: cannot write standard output: No space left on device"}));
  }
}

// The exchange commands live in quarvel-exchange: without it (neither beside
// the program nor on the PATH) each says so as a usage error, while their
// help still comes from quarvel itself.
TEST(CommandFailure, ExchangeCommandsWithoutTheirHelperSaySo) {
  TempDir folder;
  const std::string alone = folder.File("quarvel");
  std::filesystem::copy_file(QUARVEL_BINARY, alone);
  const ProgramOptions noPath{{}, {"PATH=" + folder.File("empty")}, {}};
  for (const char* command : {"export", "import", "net-export", "grid3d-import"}) {
    SCOPED_TRACE(command);
    EXPECT_TRUE(ExitedWith(RunProgram(alone, {command, "in", "-o", folder.File("out")}, noPath), 2,
                           {std::string("quarvel ") + command + ": quarvel-exchange not found (built without GDAL?)"}));
    const ProgramRun help = RunProgram(alone, {"help", command}, noPath);
    EXPECT_EQ(help.status, 0);
    EXPECT_EQ(help.out.rfind(std::string("usage: quarvel ") + command + " ", 0), 0u) << help.out;
  }
  EXPECT_FALSE(std::filesystem::exists(folder.File("out")));
}

}  // namespace
