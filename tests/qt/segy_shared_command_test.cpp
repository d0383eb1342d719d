// "quarvel segy" run as a program on the shared SEG-Y files.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QImage>
#include <string>

#include "tests/support/file_bytes.h"
#include "tests/support/result_checks.h"
#include "tests/support/segy_data.h"
#include "tests/support/temp_dir.h"

namespace {

using ::testing::HasSubstr;

TEST(SegySharedCommand, JsonHasTheKeyNumbersAndTheTable) {
  SKIP_WITHOUT_SEGY_DATA();
  const std::string f3 = SegyData("files/f3.sgy");
  const ProgramRun r = RunQuarvel({"segy", f3, "--json"});  // options after the files too
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out.substr(0, r.out.find("\"table\"")),
            "{\"file\": \"" + f3 +
                "\", \"byte_order\": \"big\", \"format\": 3, \"format_text\": \"16-bit,integer\", "
                "\"bytes_per_sample\": 2, \"samples\": 75, \"interval\": 4000, \"first_trace\": 3600, "
                "\"trace_bytes\": 390, \"traces\": 414, \"trace_byte_order\": \"big\", ");
  EXPECT_THAT(r.out, HasSubstr("\"table\": [[875, 111, 6201972, 60742329], [876, 111, 6202222, 60742336], "));
  EXPECT_THAT(r.out, HasSubstr("[880, 114, 6203201, 60743113]], \"warnings\": [], "));
  const ProgramRun scaled = RunQuarvel({"segy", "--json", "--scaled", f3});
  EXPECT_THAT(scaled.out, HasSubstr("[[875, 111, 620197.2, 6074232.9], "));
  const ProgramRun little = RunQuarvel({"segy", "--json", SegyData("files/small-lsb.sgy")});
  EXPECT_THAT(little.out, HasSubstr("\"byte_order\": \"little\""));
  EXPECT_THAT(little.out, HasSubstr("\"traces\": 25"));
}

TEST(SegySharedCommand, PositionsAreADrawingOfSurveyLinesAndThePanelAPicture) {
  SKIP_WITHOUT_SEGY_DATA();
  const TempDir dir;
  const std::string f3 = SegyData("files/f3.sgy"), xy = dir.File("f3.xy"), parameters = dir.File("p.txt");
  const ProgramRun r = RunQuarvel({"segy", "--positions", xy, "--parameters", parameters, "--panel",
                                   dir.File("panel.png"), f3});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(ReadFileBytes(xy), ReadFileBytes(SegyData("expected/f3.sgy.xy.literal.txt")));
  EXPECT_EQ(ReadFileBytes(parameters), ReadFileBytes(SegyData("expected/parameter.txt")));
  EXPECT_EQ(QImage(QString::fromStdString(dir.File("panel.png"))).size(), QSize(1600, 976));
  const ProgramRun info = RunQuarvel({"info", "--json", xy});
  EXPECT_EQ(info.status, 0) << info.err;
  EXPECT_EQ(info.out.substr(0, 38), "{\"entries\": 23, \"kinds\": {\"100\": 23}, ");
  EXPECT_EQ(RunQuarvel({"segy", "--positions", xy, "--limit", "0", f3}).status, 0);
  EXPECT_EQ(ReadFileBytes(xy), "\n");
}

TEST(SegySharedCommand, BrokenFilesNameTheFileAndTheFieldAndTheOthersStillPrint) {
  SKIP_WITHOUT_SEGY_DATA();
  const std::string bad = SegyData("malformed/m15_format_0.sgy");
  const ProgramRun r = RunQuarvel({"segy", "--json", bad, SegyData("malformed/m09_trailing_partial_trace.sgy"),
                                   SegyData("malformed/no_such.sgy")});
  EXPECT_TRUE(ExitedWith(r, 1, {"'" + bad + "': data sample format code (bytes 3225-3226) is 0", "no_such.sgy"}));
  EXPECT_THAT(r.out, HasSubstr("\"traces\": 20, "));
  EXPECT_THAT(r.out, HasSubstr("\"warnings\": [\"'"));
  const ProgramRun text = RunQuarvel({"segy", SegyData("malformed/m05_header_only_3600.sgy")});
  EXPECT_EQ(text.status, 0);
  EXPECT_THAT(text.out, HasSubstr("warning: "));
  EXPECT_EQ(RunQuarvel({"segy", "--limit", "5", bad}).status, 2);
  EXPECT_EQ(RunQuarvel({"segy"}).status, 2);
  EXPECT_TRUE(ExitedWith(RunQuarvel({"segy", "--positions", "/nonexistent/dir/xy.txt", SegyData("files/f3.sgy")}), 1,
                         {"/nonexistent/dir/xy.txt"}));
}

}  // namespace
