// "quarvel segy" run as a program on the generated SEG-Y files.
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

TEST(SegyCommand, JsonHasTheKeyNumbersAndTheTable) {
  const std::string path = GeneratedSegy("be_ibm.sgy");
  const ProgramRun r = RunQuarvel({"segy", path, "--json"});  // options after the files too
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out.substr(0, r.out.find("\"table\"")),
            "{\"file\": \"" + path +
                "\", \"byte_order\": \"big\", \"format\": 1, \"format_text\": \"32-bit,32 IBM float\", "
                "\"bytes_per_sample\": 4, \"samples\": 10, \"interval\": 4000, \"first_trace\": 3600, "
                "\"trace_bytes\": 280, \"traces\": 6, \"trace_byte_order\": \"big\", ");
  EXPECT_THAT(r.out, HasSubstr("\"table\": [[875, 101, 6201972, 60742329], [876, 101, 6202222, 60742336], "));
  EXPECT_THAT(r.out, HasSubstr("[880, 102, 6203222, 60742364]], \"warnings\": []"));
  EXPECT_THAT(RunQuarvel({"segy", "--json", "--scaled", path}).out,
              HasSubstr("[[875, 101, 620197.2, 6074232.9], "));
  const ProgramRun mixed = RunQuarvel({"segy", "--json", GeneratedSegy("mixed_order.sgy")});
  EXPECT_THAT(mixed.out, HasSubstr("\"byte_order\": \"little\""));
  EXPECT_THAT(mixed.out, HasSubstr("\"table\": [[875, 101, 6201972, 60742329], "));
  EXPECT_THAT(mixed.out, HasSubstr("\"trace_byte_order\": \"big\""));
  // A file name that is not UTF-8 still gives valid JSON: the byte as U+00FF.
  const TempDir dir;
  const std::string latin = dir.File("line\xff.sgy");
  WriteFileBytes(latin, ReadFileBytes(path));
  EXPECT_THAT(RunQuarvel({"segy", "--json", latin}).out, HasSubstr("line\\u00ff.sgy\""));
}

TEST(SegyCommand, WordsChosenByPresetOrBytePosition) {
  const std::string path = GeneratedSegy("be_ibm.sgy");
  const ProgramRun r = RunQuarvel({"segy", "--json", "--preset", "3d", path});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_THAT(r.out, HasSubstr("\"table\": [[10, 20, 6202000, 60742400], [10, 21, 6202250, 60742407], "));
  EXPECT_THAT(r.out, HasSubstr("\"words\": {\"m\": [189, 4], \"n\": [193, 4], \"x\": [181, 4], \"y\": [185, 4]}}\n"));
  // --words changes the preset's words; the low half of the big-endian inline word.
  const ProgramRun two = RunQuarvel({"segy", "--words", "m=191:2", "--preset", "2d-cdp", path});
  EXPECT_EQ(two.status, 0) << two.err;
  EXPECT_THAT(two.out, HasSubstr("  words         m=191:2,n=197,x=181,y=185\n"));
  EXPECT_THAT(two.out, HasSubstr("            10            0        6202000       60742400\n"));
  EXPECT_TRUE(ExitedWith(RunQuarvel({"segy", "--preset", "4d", path}), 2, {"--preset: '4d' is not 3d or 2d-cdp"}));
  EXPECT_TRUE(ExitedWith(RunQuarvel({"segy", "--words", "m=240", path}), 2, {"'m=240'", "bytes 1-240"}));
}

TEST(SegyCommand, PositionsAreADrawingOfSurveyLinesAndThePanelAPicture) {
  const TempDir dir;
  const std::string xy = dir.File("be.xy"), parameters = dir.File("p.txt"), path = GeneratedSegy("be_ibm.sgy");
  const ProgramRun r =
      RunQuarvel({"segy", "--positions", xy, "--parameters", parameters, "--panel", dir.File("panel.png"), path});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(ReadFileBytes(xy), SegyPositionsText(path));
  EXPECT_EQ(ReadFileBytes(parameters), "[Parameter]\nx=72\ny=76\nm=20\nn=8\n\n");
  EXPECT_EQ(QImage(QString::fromStdString(dir.File("panel.png"))).size(), QSize(1600, 976));
  const ProgramRun info = RunQuarvel({"info", "--json", xy});
  EXPECT_EQ(info.status, 0) << info.err;
  EXPECT_EQ(info.out.substr(0, 36), "{\"entries\": 2, \"kinds\": {\"100\": 2}, ");
  EXPECT_TRUE(ExitedWith(RunQuarvel({"segy", "--positions", xy, "--limit", "0", path}), 0, {"cut the positions short"}));
  EXPECT_EQ(ReadFileBytes(xy), "\n");
}

TEST(SegyCommand, BrokenFilesNameTheFileAndTheFieldAndTheOthersStillPrint) {
  const std::string bad = GeneratedSegy("format_0.sgy");
  const ProgramRun r = RunQuarvel({"segy", "--json", bad, GeneratedSegy("trailing_bytes.sgy"),
                                   GeneratedSegy("no_such.sgy")});
  EXPECT_TRUE(ExitedWith(r, 1, {"'" + bad + "': data sample format code (bytes 3225-3226) is 0", "no_such.sgy"}));
  EXPECT_THAT(r.out, HasSubstr("\"traces\": 6, "));
  EXPECT_THAT(r.out, HasSubstr("\"warnings\": [\"'"));
  const ProgramRun text = RunQuarvel({"segy", GeneratedSegy("header_only.sgy")});
  EXPECT_EQ(text.status, 0);
  EXPECT_THAT(text.out, HasSubstr("warning: "));
  EXPECT_EQ(RunQuarvel({"segy", "--limit", "5", bad}).status, 2);
  EXPECT_EQ(RunQuarvel({"segy"}).status, 2);
  EXPECT_TRUE(ExitedWith(RunQuarvel({"segy", "--positions", "/nonexistent/dir/xy.txt", GeneratedSegy("be_ibm.sgy")}),
                         1, {"/nonexistent/dir/xy.txt"}));
}

}  // namespace
