// "quarvel segy" run as a program on the shared SEG-Y files.
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <QImage>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "tests/support/segy_data.h"

namespace {

struct SegyRun {
  int status;
  std::string out, err;
};

std::string Temp(const std::string& name) {
  return (std::filesystem::temp_directory_path() / ("quarvel_segy_" + std::to_string(getpid()) + "_" + name)).string();
}

SegyRun Quarvel(const std::string& args) {
  const std::string out = Temp("out"), err = Temp("err");
  const std::string cmd = "'" + std::string(QUARVEL_BINARY) + "' " + args + " >'" + out + "' 2>'" + err + "'";
  const int raw = std::system(cmd.c_str());
  SegyRun r{WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, SlurpFile(out), SlurpFile(err)};
  std::remove(out.c_str());
  std::remove(err.c_str());
  return r;
}

std::string Q(const std::string& path) { return "'" + path + "'"; }

TEST(SegyCommand, JsonHasTheKeyNumbersAndTheTable) {
  SKIP_WITHOUT_SEGY_DATA();
  const std::string f3 = SegyData("files/f3.sgy");
  const SegyRun r = Quarvel("segy " + Q(f3) + " --json");  // options after the files too
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out.substr(0, r.out.find("\"table\"")),
            "{\"file\": \"" + f3 +
                "\", \"byte_order\": \"big\", \"format\": 3, \"format_text\": \"16-bit,integer\", "
                "\"bytes_per_sample\": 2, \"samples\": 75, \"interval\": 4000, \"first_trace\": 3600, "
                "\"trace_bytes\": 390, \"traces\": 414, ");
  EXPECT_NE(r.out.find("\"table\": [[875, 111, 6201972, 60742329], [876, 111, 6202222, 60742336], "),
            std::string::npos);
  EXPECT_NE(r.out.find("[880, 114, 6203201, 60743113]], \"warnings\": []}\n"), std::string::npos);
  const SegyRun scaled = Quarvel("segy --json --scaled " + Q(f3));
  EXPECT_NE(scaled.out.find("[[875, 111, 620197.2, 6074232.9], "), std::string::npos);
  const SegyRun little = Quarvel("segy --json " + Q(SegyData("files/small-lsb.sgy")));
  EXPECT_NE(little.out.find("\"byte_order\": \"little\""), std::string::npos);
  EXPECT_NE(little.out.find("\"traces\": 25"), std::string::npos);
}

TEST(SegyCommand, PositionsAreADrawingOfSurveyLines) {
  SKIP_WITHOUT_SEGY_DATA();
  const std::string xy = Temp("f3.xy"), parameters = Temp("p.txt");
  const SegyRun r = Quarvel("segy --positions " + Q(xy) + " --parameters " + Q(parameters) + " " +
                        Q(SegyData("files/f3.sgy")));
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(SlurpFile(xy), SlurpFile(SegyData("expected/f3.sgy.xy.literal.txt")));
  EXPECT_EQ(SlurpFile(parameters), SlurpFile(SegyData("expected/parameter.txt")));
  const SegyRun info = Quarvel("info --json " + Q(xy));
  EXPECT_EQ(info.status, 0) << info.err;
  EXPECT_EQ(info.out.substr(0, 38), "{\"entries\": 23, \"kinds\": {\"100\": 23}, ");
  const SegyRun limited = Quarvel("segy --positions " + Q(xy) + " --limit 0 " + Q(SegyData("files/f3.sgy")));
  EXPECT_EQ(limited.status, 0);
  EXPECT_EQ(SlurpFile(xy), "\n");
  std::remove(xy.c_str());
  std::remove(parameters.c_str());
}

TEST(SegyCommand, PanelPicture) {
  SKIP_WITHOUT_SEGY_DATA();
  const std::string png = Temp("panel.png");
  const SegyRun r = Quarvel("segy --panel " + Q(png) + " " + Q(SegyData("files/f3.sgy")));
  ASSERT_EQ(r.status, 0) << r.err;
  const QImage image(QString::fromStdString(png));
  EXPECT_EQ(image.size(), QSize(1600, 976));
  std::remove(png.c_str());
}

TEST(SegyCommand, BrokenFilesNameTheFileAndTheFieldAndTheOthersStillPrint) {
  SKIP_WITHOUT_SEGY_DATA();
  const std::string bad = SegyData("malformed/m15_format_0.sgy");
  const SegyRun r = Quarvel("segy --json " + Q(bad) + " " + Q(SegyData("malformed/m09_trailing_partial_trace.sgy")) +
                        " " + Q(SegyData("malformed/no_such.sgy")));
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("'" + bad + "': data sample format code (bytes 3225-3226) is 0"), std::string::npos) << r.err;
  EXPECT_NE(r.err.find("no_such.sgy"), std::string::npos);
  EXPECT_NE(r.out.find("\"traces\": 20, "), std::string::npos);
  EXPECT_NE(r.out.find("\"warnings\": [\"'"), std::string::npos);
  const SegyRun text = Quarvel("segy " + Q(SegyData("malformed/m05_header_only_3600.sgy")));
  EXPECT_EQ(text.status, 0);
  EXPECT_NE(text.out.find("warning: "), std::string::npos);
  EXPECT_EQ(Quarvel("segy --limit 5 " + Q(bad)).status, 2);
  EXPECT_EQ(Quarvel("segy").status, 2);
  const SegyRun unwritable = Quarvel("segy --positions /nonexistent/dir/xy.txt " + Q(SegyData("files/f3.sgy")));
  EXPECT_EQ(unwritable.status, 1);
  EXPECT_NE(unwritable.err.find("/nonexistent/dir/xy.txt"), std::string::npos);
}

}  // namespace
