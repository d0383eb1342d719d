// The SEG-Y reader over the shared real files made by other programs (their
// ground truth) and over files broken on purpose from one of them. Built
// only when those files are there at configure time.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "io/segy/segy_layout.h"
#include "io/segy/segy_positions.h"
#include "io/segy/segy_traces.h"
#include "tests/support/file_bytes.h"
#include "tests/support/recording_progress.h"
#include "tests/support/result_checks.h"
#include "tests/support/segy_data.h"
#include "tests/support/segy_malformed.h"

namespace {

using ::testing::AllOf;
using ::testing::HasSubstr;

TEST(SegyGroundTruth, EveryFileReadsAsItsTruthSays) {
  SKIP_WITHOUT_SEGY_DATA();
  const std::vector<KSegyTruth> truth = SegyTruth();
  ASSERT_GT(truth.size(), 80u);
  for (const KSegyTruth& t : truth) {
    SCOPED_TRACE(t.file);
    KResultWith<KInputFile> file = OpenInputFile(SegyData("files/" + t.file));
    ASSERT_TRUE(file) << file.message();
    KWarningList warnings;
    KResultWith<KSegyLayout> read = ReadSegyLayout(file.value(), &warnings);
    ASSERT_TRUE(read) << read.message();
    const KSegyLayout& l = read.value();
    EXPECT_EQ(l.byteOrder == KByteOrder::kBig ? "big" : "little", t.byteOrder);
    EXPECT_EQ(l.formatCode, t.format);
    EXPECT_EQ(l.samples, t.samples);
    EXPECT_EQ(l.interval, t.interval);
    EXPECT_EQ(l.firstTrace, t.firstTrace);
    EXPECT_EQ(l.traces, t.traces);
    EXPECT_EQ(l.leftover, t.leftover);
    // Leftover bytes and a file without traces are told; so is a revision-2
    // trace count that disagrees with the size (the synthetic files of
    // maximised fields).
    int leftover = 0, empty = 0;
    for (const KWarning& warning : warnings.items()) {
      const std::string& w = warning.message;
      leftover += w.find("bytes after the last") != std::string::npos;
      empty += w.find("no traces") != std::string::npos;
      if (w.find("bytes after the last") == std::string::npos && w.find("no traces") == std::string::npos) {
        EXPECT_NE(w.find("trace count (bytes 3513-3520)"), std::string::npos) << w;
      }
    }
    EXPECT_EQ(leftover, t.leftover != 0 ? 1 : 0);
    EXPECT_EQ(empty, t.traces == 0 && t.leftover == 0 ? 1 : 0);
    if (l.traces == 0) continue;
    unsigned char header[240];
    for (auto [index, want] : {std::pair{std::int64_t{0}, t.first}, std::pair{l.traces - 1, t.last}}) {
      const std::int64_t got = ReadTraceHeader(file.value(), l, index, header);
      ASSERT_EQ(got, 240);
      const KTraceRow row = RowOf(header, got, KSegyFields{}, l.byteOrder);
      EXPECT_EQ((std::vector<long long>{row.m, row.n, row.x, row.y}),
                (std::vector<long long>{want[0], want[1], want[2], want[3]}))
          << "trace " << index;
    }
  }
}

TEST(SegyGroundTruth, PositionsMatchTheTrueOutputOfEveryFile) {
  SKIP_WITHOUT_SEGY_DATA();
  int compared = 0;
  for (const KSegyTruth& t : SegyTruth()) {
    const std::string expected = ReadFileBytes(SegyData("expected/" + ExpectedName(t.file) + ".xy.true.txt"));
    if (expected.empty()) continue;
    SCOPED_TRACE(t.file);
    EXPECT_EQ(SegyPositionsText(SegyData("files/" + t.file)), expected);
    ++compared;
  }
  EXPECT_GT(compared, 70);
}

TEST(SegySharedPositions, LimitAndScalar) {
  SKIP_WITHOUT_SEGY_DATA();
  const std::string base = SegyData("malformed/00_base_valid.sgy");
  KPositionsOptions zero;
  zero.limit = 0;
  EXPECT_EQ(SegyPositionsText(base, zero), "\n");
  // The second polyline (n 112) starts at trace 18: 3600 + 18 * 390 + 80.
  KPositionsOptions first;
  first.limit = 3600 + 18 * 390 + 79;
  const std::string one = SegyPositionsText(base, first);
  EXPECT_EQ(one.find("pline.112"), std::string::npos);
  EXPECT_NE(one.find("pline.111"), std::string::npos);
  first.limit += 1;
  EXPECT_NE(SegyPositionsText(base, first).find("pline.112"), std::string::npos);
  KPositionsOptions scaled;
  scaled.scaled = true;  // scalar -10
  EXPECT_EQ(SegyPositionsText(base, scaled).substr(0, 40), "\npline.111\n620197.2,6074232.9\n620222.2,6");
}

TEST(SegySharedPositions, ProgressGoesUpToTheFileSize) {
  SKIP_WITHOUT_SEGY_DATA();
  const std::string f3 = SegyData("files/f3.sgy");
  KResultWith<KInputFile> file = OpenInputFile(f3);
  KResultWith<KSegyLayout> layout = ReadSegyLayout(file.value());
  RecordingProgress progress;
  ASSERT_TRUE(WritePositions(file.value(), layout.value(), {}, [](std::string_view) {}, &progress));
  EXPECT_EQ(progress.totals, std::vector<std::int64_t>{165060});
  ASSERT_EQ(progress.positions.size(), 23u);  // one a polyline
  EXPECT_EQ(progress.positions.front(), 3600 + 80);
  EXPECT_TRUE(std::is_sorted(progress.positions.begin(), progress.positions.end()));
  EXPECT_LT(progress.positions.back(), 165060);
}

const MalformedCase kMalformed[] = {
    {"m01_empty.sgy", "inside the textual header", 0, nullptr},
    {"m02_trunc_in_textual_header.sgy", "ends at byte 1000, inside the textual header", 0, nullptr},
    {"m03_trunc_in_binary_header.sgy", "ends at byte 3210, inside the binary header before the sample interval", 0, nullptr},
    {"m04_trunc_after_samples_field.sgy", "format code (bytes 3225-3226)", 0, nullptr},
    {"m05_header_only_3600.sgy", nullptr, 0, "no traces"},
    {"m06_trunc_trace_header_before_xy.sgy", nullptr, 0, "50 bytes after the last of 0 whole traces"},
    {"m07_trunc_trace_header_after_xy.sgy", nullptr, 1, "100 bytes after the last of 0 whole traces"},
    {"m08_trunc_mid_trace_samples.sgy", nullptr, 20, "280 bytes after the last of 19"},
    {"m09_trailing_partial_trace.sgy", nullptr, 21, "123 bytes after the last of 20"},
    {"m10_ns_zero.sgy", "sample count (bytes 3221-3222) is 0", 0, nullptr},
    {"m11_ns_65535.sgy", "131310 bytes", 0, nullptr},
    {"m12_ns_tracelen_zero.sgy", "65416 samples", 0, nullptr},
    {"m13_ns_tracelen_negative.sgy", "32768 samples", 0, nullptr},
    {"m14_ns_tracelen_tiny.sgy", "65418 samples", 0, nullptr},
    {"m15_format_0.sgy", "format code (bytes 3225-3226) is 0", 0, nullptr},
    {"m16_format_99.sgy", "format code (bytes 3225-3226) is 99", 0, nullptr},
    {"m17_format_negative.sgy", "format code (bytes 3225-3226) is -32765", 0, nullptr},
    {"m18_format_8_wrong_size.sgy", nullptr, 25, "bytes after the last of 24 whole traces"},
    {"m19_binary_header_byteswapped.sgy", nullptr, 20, "other byte order"},
    {"m20_ext_text_count_huge.sgy", "extended textual header count (bytes 3505-3506) is 32767", 0, nullptr},
    {"m21_ext_text_count_minus1_no_endtext.sgy", "no such stanza", 0, nullptr},
    {"m22_ext_text_count_negative.sgy", "extended textual header count (bytes 3505-3506) is -2", 0, nullptr},
    {"m23_valid_rev1_two_ext_text_headers.sgy", nullptr, 20, nullptr},
    {"m24_rev2_ext_samples_huge.sgy", "extended sample count (bytes 3269-3272) gives traces of 4294967534 bytes", 0, nullptr},
    {"m25_rev2_first_trace_offset_huge.sgy", "first trace offset (bytes 3521-3528) is 9223372036854775807", 0,
     nullptr},
    {"m26_rev2_trace_count_field_wrong.sgy", nullptr, 20, "trace count (bytes 3513-3520) is 1000"},
    {"m27_rev2_additional_trace_headers_huge.sgy", "extra trace header count (bytes 3507-3508) is 65535", 0, nullptr},
    {"m28_random_bytes.sgy", "format code (bytes 3225-3226)", 0, nullptr},
    {"m29_all_ff.sgy", "format code (bytes 3225-3226) is -1", 0, nullptr},
    {"m30_all_zero.sgy", "format code (bytes 3225-3226) is 0", 0, nullptr},
    {"m31_ffid_is_sentinel.sgy", nullptr, 20, nullptr},
    {"m32_textual_header_binary_junk.sgy", nullptr, 20, nullptr},
    {"m33_extreme_header_values.sgy", nullptr, 20, nullptr},
    {"m34_alternating_ffid.sgy", nullptr, 20, nullptr},
    {"m35_one_byte.sgy", "ends at byte 1, inside the textual header", 0, nullptr},
};

TEST(SegySharedMalformed, EachFileGivesAClearErrorOrTracesWithAWarning) {
  SKIP_WITHOUT_SEGY_DATA();
  for (const MalformedCase& c : kMalformed) ExpectMalformedOutcome(c, SegyData(std::string("malformed/") + c.file));
}

TEST(SegySharedMalformed, SpecialRuns) {
  SKIP_WITHOUT_SEGY_DATA();
  // The start value of "previous n" is a real n here: it still opens a polyline.
  EXPECT_EQ(SegyPositionsText(SegyData("malformed/m31_ffid_is_sentinel.sgy")).substr(0, 19), "\npline.-12345678\n62");
  // n returning to an earlier value opens a new polyline each time.
  const std::string alternating = SegyPositionsText(SegyData("malformed/m34_alternating_ffid.sgy"));
  long long headers = 0;
  for (std::size_t at = 0; (at = alternating.find("pline.", at)) != std::string::npos; ++at) ++headers;
  EXPECT_EQ(headers, 20);
  EXPECT_EQ(SegyPositionsText(SegyData("malformed/m33_extreme_header_values.sgy")).substr(0, 47),
            "\npline.2147483647\n-2147483648,2147483647\n\npline");
  // The extended textual headers move the traces, not their values.
  EXPECT_EQ(SegyPositionsText(SegyData("malformed/m23_valid_rev1_two_ext_text_headers.sgy")),
            SegyPositionsText(SegyData("malformed/00_base_valid.sgy")));
}

}  // namespace
