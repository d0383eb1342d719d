// "quarvel segy --text --geometry --outline" run as a program on the
// generated surveys.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>

#include "tests/support/file_bytes.h"
#include "tests/support/result_checks.h"
#include "tests/support/run_program.h"
#include "tests/support/segy_data.h"
#include "tests/support/temp_dir.h"

namespace {

using ::testing::HasSubstr;

TEST(SegySurveyCommand, JsonKeysTextAndOutline) {
  const TempDir dir;
  const std::string outline = dir.File("outline.qvd");
  const ProgramRun r = RunQuarvel({"segy", "--json", "--text", "--geometry", "--preset", "3d", "--outline", outline,
                                   GeneratedSegy("survey_3d.sgy")});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_THAT(r.out, HasSubstr("\"geometry\": {\"kind\": \"3d\", \"traces\": 11, \"inline\": [20, 24, 2], "
                               "\"crossline\": [5, 14, 3], \"sorting\": \"inline\", \"missing\": 1, \"corners\": "
                               "[[600000.5, 6700000], [599964.5, 6700027], [599988.5, 6700059], [600024.5, 6700032]]}}\n"));
  // 80 lines: the main record and one extended, 80 characters each.
  const std::size_t text = r.out.find("\"text\": [\"C 1 survey_3d.sgy");
  ASSERT_NE(text, std::string::npos) << r.out;
  EXPECT_THAT(r.out, HasSubstr("\"C 1 EXTENDED: INLINE BYTES 189-192, CROSSLINE 193-196, CDP X, Y 181-188         \""));
  EXPECT_EQ(ReadFileBytes(outline),
            "PLINE.outline\r\n600000.5,6700000\r\n599964.5,6700027\r\n599988.5,6700059\r\n600024.5,6700032\r\nC\r\n\r\n");
  const ProgramRun info = RunQuarvel({"info", "--json", outline});
  EXPECT_THAT(info.out, HasSubstr("\"extent\": [599964.5, 600024.5, 6700000, 6700059]"));
}

TEST(SegySurveyCommand, TwoDLineAndTheTextOfARefusedFile) {
  const TempDir dir;
  const std::string track = dir.File("track.qvd");
  const ProgramRun r = RunQuarvel(
      {"segy", "--geometry", "--text", "--preset", "2d-cdp", "--outline", track, GeneratedSegy("survey_2d.sgy")});
  ASSERT_EQ(r.status, 0) << r.err;
  // Open: no closing "C"; the straight run's middle points left out.
  EXPECT_EQ(ReadFileBytes(track), "PLINE.outline\r\n7e+05,7100000\r\n700125,7100000\r\n700200,7100100\r\n\r\n\r\n");
  EXPECT_THAT(r.out, HasSubstr("  textual header 1 (ASCII)\nC 1 survey_2d.sgy"));
  EXPECT_THAT(r.out, HasSubstr("  geometry      2D line, 11 traces, sorting inline\n"
                               "  m             100 to 111 step 1 (11 values), bytes 21-24\n"
                               "  n             1 to 6 step 1 (6 values), bytes 197-200\n"
                               "  missing       1 m numbers\n"));
  // The layout is refused (extended headers past the end), the text still shown.
  const std::string huge = GeneratedSegy("ext_text_huge.sgy");
  const ProgramRun refused = RunQuarvel({"segy", "--text", huge});
  EXPECT_TRUE(ExitedWith(refused, 1, {"bytes 3505-3506) is 32767: 104854400 bytes"}));
  EXPECT_THAT(refused.out, HasSubstr("C 1 ext_text_huge.sgy"));
  EXPECT_THAT(refused.out, HasSubstr("holds only 0 after the binary header\n"));
  EXPECT_TRUE(ExitedWith(RunQuarvel({"segy", "--outline"}), 2, {"usage"}));
}

}  // namespace
