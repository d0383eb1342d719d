// The SEG-Y reader over the small files generated into the repository
// (tests/data/segy/make_segy.py): layouts in both byte orders and of every
// format code, trace headers in another order than the binary header,
// revision 2 and extended textual headers, and every malformed kind.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <string>
#include <vector>

#include "io/segy/segy_format.h"
#include "io/segy/segy_layout.h"
#include "io/segy/segy_positions.h"
#include "io/segy/segy_traces.h"
#include "io/segy/segy_words.h"
#include "tests/support/recording_progress.h"
#include "tests/support/result_checks.h"
#include "tests/support/segy_data.h"
#include "tests/support/segy_malformed.h"
#include "tests/support/temp_dir.h"

namespace {

using ::testing::AllOf;
using ::testing::HasSubstr;

constexpr KByteOrder kBig = KByteOrder::kBig, kLittle = KByteOrder::kLittle;

// Trace i of every generated file: m 875 + i, n 101 + i / 3, x 6201972 +
// 250 i, y 60742329 + 7 i.
std::vector<long long> Row(long long i) { return {875 + i, 101 + i / 3, 6201972 + 250 * i, 60742329 + 7 * i}; }

std::vector<long long> RowAt(KInputFile& file, const KSegyLayout& l, std::int64_t index) {
  unsigned char header[240];
  const std::int64_t got = ReadTraceHeader(file, l, index, header);
  const KTraceRow row = RowOf(header, got, KSegyFields{}, l.traceByteOrder);
  return {row.m, row.n, row.x, row.y};
}

struct LayoutCase {
  const char* file;
  KByteOrder order, traceOrder;
  int format;
  long long samples, firstTrace, traceLength, traces;
  const char* warning;  // part of the only warning, or null
};

const LayoutCase kLayouts[] = {
    {"be_ibm.sgy", kBig, kBig, 1, 10, 3600, 280, 6, nullptr},
    {"le_ieee.sgy", kLittle, kLittle, 5, 10, 3600, 280, 6, nullptr},
    // Binary header little-endian, trace headers big-endian.
    {"mixed_order.sgy", kLittle, kBig, 3, 10, 3600, 260, 6,
     "sample count (bytes 115-116) reads 2560, but 10 as in the binary header in the other byte order"},
    // Byte-order word, extended sample count, one extra trace header, the
    // first trace after one extended header and a 400-byte gap.
    {"rev2_be.sgy", kBig, kBig, 2, 12, 7200, 528, 4, nullptr},
    {"rev2_le_mark.sgy", kLittle, kLittle, 6, 5, 3600, 280, 4, nullptr},
    {"ext_text_count.sgy", kBig, kBig, 3, 10, 10000, 260, 6, nullptr},
    {"ext_text_stanza.sgy", kBig, kBig, 8, 10, 13200, 250, 6, nullptr},
};

TEST(SegyLayout, GeneratedFilesReadAsWritten) {
  for (const LayoutCase& c : kLayouts) {
    SCOPED_TRACE(c.file);
    KResultWith<KInputFile> file = OpenInputFile(GeneratedSegy(c.file));
    ASSERT_TRUE(file) << file.message();
    KWarningList warnings;
    KResultWith<KSegyLayout> read = ReadSegyLayout(file.value(), &warnings);
    ASSERT_TRUE(read) << read.message();
    const KSegyLayout& l = read.value();
    EXPECT_EQ(l.byteOrder, c.order);
    EXPECT_EQ(l.traceByteOrder, c.traceOrder);
    EXPECT_EQ(l.formatCode, c.format);
    EXPECT_EQ(l.samples, c.samples);
    EXPECT_EQ(l.interval, 4000);
    EXPECT_EQ(l.firstTrace, c.firstTrace);
    EXPECT_EQ(l.traceLength, c.traceLength);
    EXPECT_EQ(l.traces, c.traces);
    EXPECT_EQ(l.leftover, 0);
    ASSERT_EQ(warnings.items().size(), c.warning ? 1u : 0u);
    if (c.warning) {
      EXPECT_THAT(warnings.items()[0].message, HasSubstr(c.warning));
    }
    EXPECT_EQ(RowAt(file.value(), l, 0), Row(0));
    EXPECT_EQ(RowAt(file.value(), l, l.traces - 1), Row(l.traces - 1));
  }
}

// Every format code a revision assigns: its sample size and its text.
struct FormatCase {
  int code, bytes;
  const char* text;
};

const FormatCase kFormats[] = {
    {1, 4, "32-bit,32 IBM float"}, {2, 4, "32-bit,integer"}, {3, 2, "16-bit,integer"},
    {4, 4, "32-bit,integer"},      {5, 4, "32-bit,IEEE"},    {6, 8, "64-bit,IEEE"},
    {7, 3, "24-bit,integer"},      {8, 1, " 8-bit,integer"}, {9, 8, "64-bit,integer"},
    {10, 4, "32-bit,unsigned"},    {11, 2, "16-bit,unsigned"}, {12, 8, "64-bit,unsigned"},
    {15, 3, "24-bit,unsigned"},    {16, 1, " 8-bit,unsigned"},
};

TEST(SegyLayout, EveryFormatCodeInAlternateByteOrders) {
  for (std::size_t k = 0; k < std::size(kFormats); ++k) {
    const FormatCase& c = kFormats[k];
    char name[32];
    std::snprintf(name, sizeof name, "format_%02d.sgy", c.code);
    SCOPED_TRACE(name);
    KResultWith<KSegyLayout> read = ReadSegyLayout(GeneratedSegy(name));
    ASSERT_TRUE(read) << read.message();
    EXPECT_EQ(read.value().byteOrder, k % 2 ? kLittle : kBig);
    EXPECT_EQ(read.value().formatCode, c.code);
    EXPECT_EQ(read.value().traceLength, 240 + 4 * c.bytes);
    EXPECT_EQ(read.value().traces, 2);
    EXPECT_EQ(read.value().leftover, 0);
    EXPECT_STREQ(segy::FormatText(c.code), c.text);
  }
  for (int unassigned : {0, 13, 14, 17, -1}) EXPECT_STREQ(segy::FormatText(unassigned), "Data type");
}

// The words chosen by 1-based byte positions: the text they read back as,
// or part of the reason they are refused.
TEST(SegyWords, ChosenByBytePositionsOrPreset) {
  const struct {
    const char* text;
    const char* words;  // null when refused
    const char* error;
  } cases[] = {
      {"m=189,n=193,x=181,y=185", "m=189,n=193,x=181,y=185", nullptr},
      {"y=239:2,x=1", "m=21,n=9,x=1,y=239:2", nullptr},
      {"n=237:4", "m=21,n=237,x=73,y=77", nullptr},
      {"n=238", nullptr, "'n=238': the word must lie in bytes 1-240"},
      {"m=0", nullptr, "bytes 1-240"},
      {"m=-5", nullptr, "bytes 1-240"},
      {"m=21:3", nullptr, "'m=21:3': a word is 2 or 4 bytes"},
      {"q=5", nullptr, "'q=5' is not m=BYTE"},
      {"m", nullptr, "'m' is not m=BYTE"},
      {"m=21x", nullptr, "bytes 1-240"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    const KResultWith<KSegyFields> f = ParseSegyWords(c.text);
    if (c.words) {
      ASSERT_TRUE(f) << f.message();
      EXPECT_EQ(SegyWordsText(f.value()), c.words);
      EXPECT_TRUE(f.value().Valid());
    } else {
      EXPECT_TRUE(FailedWith(f, KStatus::kRefused, {c.error}));
    }
  }
  EXPECT_EQ(SegyWordsText(SegyPreset("3d").value()), "m=189,n=193,x=181,y=185");
  EXPECT_EQ(SegyWordsText(SegyPreset("2d-cdp").value()), "m=21,n=197,x=181,y=185");
  EXPECT_EQ(SegyPreset("3D").status(), KStatus::kRefused);

  // Read from the first trace: inline 10, crossline 20, the CDP position;
  // the low half of the inline word as a 2-byte word.
  KResultWith<KInputFile> file = OpenInputFile(GeneratedSegy("le_ieee.sgy"));
  KResultWith<KSegyLayout> layout = ReadSegyLayout(file.value());
  KResultWith<KSegyFields> words = ParseSegyWords("m=189,n=193,x=181,y=185");
  KResultWith<std::vector<KTraceRow>> rows = ReadTraceTable(file.value(), layout.value(), words.value(), 60);
  ASSERT_EQ(rows.value().size(), 6u);
  const KTraceRow& last = rows.value().back();
  EXPECT_EQ((std::vector<long long>{last.m, last.n, last.x, last.y}),
            (std::vector<long long>{11, 22, 6202000 + 5 * 250, 60742400 + 5 * 7}));
  words = ParseSegyWords("m=189:2,n=189:2");  // little-endian: the low half comes first
  rows = ReadTraceTable(file.value(), layout.value(), words.value(), 1);
  EXPECT_EQ(rows.value()[0].m, 10);
}

const MalformedCase kMalformed[] = {
    {"cut_in_text.sgy", "ends at byte 1000, inside the textual header", 0, nullptr},
    {"cut_in_binary.sgy", "ends at byte 3210, inside the binary header before the sample interval", 0, nullptr},
    {"cut_before_format.sgy", "ends at byte 3223, inside the data sample format code (bytes 3225-3226)", 0, nullptr},
    {"zero_samples.sgy", "sample count (bytes 3221-3222) is 0", 0, nullptr},
    {"samples_65535.sgy", "gives traces of 262380 bytes", 0, nullptr},
    {"format_0.sgy", "format code (bytes 3225-3226) is 0 (0 read little-endian)", 0, nullptr},
    {"format_99.sgy", "format code (bytes 3225-3226) is 99 (25344 read little-endian)", 0, nullptr},
    {"format_negative.sgy", "format code (bytes 3225-3226) is -32765", 0, nullptr},
    {"ext_text_huge.sgy", "extended textual header count (bytes 3505-3506) is 32767: 104854400 bytes", 0, nullptr},
    {"ext_text_no_stanza.sgy", "no such stanza", 0, nullptr},
    {"ext_text_negative.sgy", "extended textual header count (bytes 3505-3506) is -2", 0, nullptr},
    {"rev2_first_trace_huge.sgy", "first trace offset (bytes 3521-3528) is 9223372036854775807", 0, nullptr},
    {"rev2_ext_samples_huge.sgy", "extended sample count (bytes 3269-3272) gives traces of 8589934828 bytes", 0,
     nullptr},
    {"rev2_extra_headers_huge.sgy", "extra trace header count (bytes 3507-3508) is 65535", 0, nullptr},
    {"header_only.sgy", nullptr, 0, "no traces"},
    {"cut_in_first_header.sgy", nullptr, 0, "50 bytes after the last of 0 whole traces"},
    {"cut_after_first_xy.sgy", nullptr, 1, "100 bytes after the last of 0 whole traces"},
    {"cut_in_last_samples.sgy", nullptr, 6, "260 bytes after the last of 5 whole traces"},
    {"trailing_bytes.sgy", nullptr, 7, "123 bytes after the last of 6 whole traces"},
    {"format_8_wrong_size.sgy", nullptr, 7, "180 bytes after the last of 6 whole traces of 250 bytes"},
    {"rev2_trace_count_wrong.sgy", nullptr, 6, "trace count (bytes 3513-3520) is 1000, the file holds 6"},
    {"extreme_values.sgy", nullptr, 4, nullptr},
    {"alternating_n.sgy", nullptr, 6, nullptr},
};

TEST(SegyMalformed, EachFileGivesAClearErrorOrTracesWithAWarning) {
  for (const MalformedCase& c : kMalformed) ExpectMalformedOutcome(c, GeneratedSegy(c.file));
}

TEST(SegyMalformed, MissingFilesAndDirectoriesAreRefusedWithTheReason) {
  const std::string missing = GeneratedSegy("no_such_file.sgy");
  EXPECT_TRUE(FailedWith(ReadSegyLayout(missing), KStatus::kCannotOpen, {missing}));
  EXPECT_TRUE(FailedWith(ReadSegyLayout(GeneratedSegy("")), KStatus::kCannotOpen, {}));
}

const char kBeIbmPositions[] =
    "\npline.101\n6201972,60742329\n6202222,60742336\n6202472,60742343\n"
    "\npline.102\n6202722,60742350\n6202972,60742357\n6203222,60742364\n\n";

TEST(SegyPositions, ExactForEveryOrderAndLayout) {
  // The trace headers hold the same fields in every one of these files.
  for (const char* file : {"be_ibm.sgy", "le_ieee.sgy", "mixed_order.sgy", "ext_text_count.sgy",
                           "ext_text_stanza.sgy"}) {
    EXPECT_EQ(SegyPositionsText(GeneratedSegy(file)), kBeIbmPositions) << file;
  }
  EXPECT_EQ(SegyPositionsText(GeneratedSegy("rev2_be.sgy")),
            "\npline.101\n6201972,60742329\n6202222,60742336\n6202472,60742343\n\npline.102\n6202722,60742350\n\n");
}

TEST(SegyPositions, LimitScalarAndProgress) {
  const std::string path = GeneratedSegy("be_ibm.sgy");
  KPositionsOptions limited;
  limited.limit = 0;
  EXPECT_EQ(SegyPositionsText(path, limited), "\n");
  // The second polyline starts at trace 3: 3600 + 3 * 280 + 80.
  limited.limit = 3600 + 3 * 280 + 79;
  EXPECT_EQ(SegyPositionsText(path, limited), "\npline.101\n6201972,60742329\n6202222,60742336\n6202472,60742343\n\n");
  limited.limit += 1;
  EXPECT_EQ(SegyPositionsText(path, limited), kBeIbmPositions);
  KPositionsOptions scaled;
  scaled.scaled = true;  // scalar -10
  EXPECT_EQ(SegyPositionsText(path, scaled).substr(0, 49), "\npline.101\n620197.2,6074232.9\n620222.2,6074233.6\n");

  KResultWith<KInputFile> file = OpenInputFile(path);
  KResultWith<KSegyLayout> layout = ReadSegyLayout(file.value());
  RecordingProgress progress;
  ASSERT_TRUE(WritePositions(file.value(), layout.value(), {}, [](std::string_view) {}, &progress));
  EXPECT_EQ(progress.totals, std::vector<std::int64_t>{5280});
  EXPECT_EQ(progress.positions, (std::vector<std::int64_t>{3680, 4520}));
}

TEST(SegyPositions, RunsOfNAtTheEdges) {
  // The loop's start value of "previous n" is a real n here: it still opens
  // a polyline; extremes print exactly.
  EXPECT_EQ(SegyPositionsText(GeneratedSegy("extreme_values.sgy")),
            "\npline.-12345678\n-2147483648,2147483647\n\npline.2147483647\n-2147483648,2147483647\n"
            "\npline.-2147483648\n-2147483648,2147483647\n\npline.2147483647\n-2147483648,2147483647\n\n");
  KPositionsOptions scaled;
  scaled.scaled = true;  // scalar -32768
  EXPECT_EQ(SegyPositionsText(GeneratedSegy("extreme_values.sgy"), scaled).substr(0, 42),
            "\npline.-12345678\n-65536,65535.99996948242\n");
  // n returning to an earlier value opens a new polyline each time.
  const std::string alternating = SegyPositionsText(GeneratedSegy("alternating_n.sgy"));
  EXPECT_EQ(alternating.substr(0, 40), "\npline.1\n6201972,60742329\n\npline.2\n62022");
  long long headers = 0;
  for (std::size_t at = 0; (at = alternating.find("pline.", at)) != std::string::npos; ++at) ++headers;
  EXPECT_EQ(headers, 6);
}

// A sparse file of 5 GiB whose traces straddle 2^31 and 2^32: offsets and
// counts must not wrap at 32 bits.
TEST(SegyPositions, FilesBeyondFourGigabytesRead) {
  const TempDir dir;
  const std::string path = dir.File("5gib.sgy");
  const int fd = open(path.c_str(), O_CREAT | O_TRUNC | O_WRONLY, 0600);
  ASSERT_GE(fd, 0);
  const std::int64_t size = std::int64_t{5} << 30, traceLength = 240 + 32767 * 4;
  unsigned char header[3600] = {};
  header[3220] = 0x7F, header[3221] = 0xFF;  // 32767 samples
  header[3225] = 1;                          // format 1
  auto put = [](unsigned char* at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) at[i] = static_cast<unsigned char>(v >> (24 - 8 * i));
  };
  bool written = pwrite(fd, header, sizeof header, 0) == 3600 && ftruncate(fd, size) == 0;
  const std::int64_t traces = (size - 3600) / traceLength;
  std::vector<std::int64_t> marked;
  for (std::int64_t k = 0; k < traces && written; ++k) {
    const std::int64_t s = 3600 + k * traceLength;
    const bool near2g = s > (std::int64_t{1} << 31) - traceLength && s < (std::int64_t{1} << 31) + traceLength;
    const bool near4g = s > (std::int64_t{1} << 32) - traceLength && s < (std::int64_t{1} << 32) + traceLength;
    if (!(k == 0 || near2g || near4g)) continue;
    unsigned char trace[240] = {};
    put(trace + 8, static_cast<std::uint32_t>(k));
    put(trace + 72, static_cast<std::uint32_t>(s & 0x7FFFFFFF));
    put(trace + 76, static_cast<std::uint32_t>(s >> 31));
    written = pwrite(fd, trace, sizeof trace, s) == 240;
    marked.push_back(k);
  }
  close(fd);
  ASSERT_TRUE(written) << "cannot make a sparse file in the temporary directory";
  KResultWith<KSegyLayout> layout = ReadSegyLayout(path);
  ASSERT_TRUE(layout) << layout.message();
  EXPECT_EQ(layout.value().traces, traces);
  EXPECT_EQ(layout.value().leftover, (size - 3600) % traceLength);
  const std::string text = SegyPositionsText(path);
  for (std::int64_t k : marked) {
    const std::int64_t s = 3600 + k * traceLength;
    const std::string line = "\npline." + std::to_string(k) + "\n" + std::to_string(s & 0x7FFFFFFF) + "," +
                             std::to_string(s >> 31) + "\n";
    EXPECT_NE(text.find(line), std::string::npos) << "trace " << k << " at byte " << s;
  }
  EXPECT_GE(marked.size(), 3u);
}

}  // namespace
