// SEG-Y samples: the decoding of every format code from byte patterns
// worked out by hand, the generated files' samples, the statistics and the
// section read from them.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <limits>
#include <string>
#include <vector>

#include "io/segy/segy_samples.h"
#include "io/segy/segy_section.h"
#include "io/segy/segy_stats.h"
#include "io/segy/segy_words.h"
#include "tests/support/result_checks.h"
#include "tests/support/segy_data.h"

namespace {

struct Opened {
  KInputFile file;
  KSegyLayout layout;
};

Opened Open(const std::string& name) {
  Opened o;
  KResultWith<KInputFile> file = OpenInputFile(GeneratedSegy(name));
  EXPECT_TRUE(file) << file.message();
  if (!file) return o;
  o.file = std::move(file.value());
  KResultWith<KSegyLayout> layout = ReadSegyLayout(o.file);
  EXPECT_TRUE(layout) << layout.message();
  o.layout = layout.value();
  return o;
}

TEST(SegySamples, IbmFloatsConvertExactly) {
  const struct {
    std::uint32_t bits;
    double value;
  } cases[] = {
      {0xC276A000u, -118.625},
      {0x41100000u, 1.0},
      {0x42640000u, 100.0},
      {0x40800000u, 0.5},
      {0x00000000u, 0.0},
      {0x3F100000u, 1.0 / 256},
      // The smallest normalised (1/16 * 16^-64) and the smallest of all.
      {0x00100000u, std::ldexp(1.0, -260)},
      {0x00000001u, std::ldexp(1.0, -280)},
      // The largest: (1 - 2^-24) * 16^63.
      {0x7FFFFFFFu, std::ldexp(16777215.0, 252 - 24)},
      {0xFFFFFFFFu, -std::ldexp(16777215.0, 252 - 24)},
  };
  for (const auto& c : cases) EXPECT_EQ(IbmToDouble(c.bits), c.value) << std::hex << c.bits;
  EXPECT_TRUE(std::signbit(IbmToDouble(0x80000000u)));
}

TEST(SegySamples, EveryFormatCodeDecodesInBothByteOrders) {
  const struct {
    int code;
    std::vector<unsigned char> big;  // one sample, big-endian
    double value;
  } cases[] = {
      {1, {0xC2, 0x76, 0xA0, 0x00}, -118.625},
      {2, {0x80, 0x00, 0x00, 0x00}, -2147483648.0},
      {2, {0xFF, 0xFF, 0xFF, 0xFE}, -2},
      {3, {0x80, 0x00}, -32768},
      {3, {0x01, 0x02}, 258},
      {4, {0x00, 0x01, 0x00, 0x00}, 65536},
      {5, {0x3F, 0xC0, 0x00, 0x00}, 1.5},
      {5, {0xC2, 0xED, 0x40, 0x00}, -118.625},
      {6, {0x40, 0x02, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00}, 2.25},
      {7, {0xFF, 0xFF, 0xFE}, -2},
      {7, {0x80, 0x00, 0x00}, -8388608},
      {7, {0x7F, 0xFF, 0xFF}, 8388607},
      {8, {0x80}, -128},
      {8, {0x7F}, 127},
      {9, {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}, -1},
      {10, {0xFF, 0xFF, 0xFF, 0xFF}, 4294967295.0},
      {11, {0xFF, 0xFE}, 65534},
      {12, {0x80, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00}, 9223372036854775808.0},
      {15, {0xFF, 0xFF, 0xFF}, 16777215},
      {16, {0xFF}, 255},
      {13, {0x12, 0x34, 0x56, 0x78}, 0},  // no revision assigns it
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.code);
    double big = -1, little = -1;
    std::vector<unsigned char> reversed(c.big.rbegin(), c.big.rend());
    DecodeSegySamples(c.big.data(), 1, c.code, KByteOrder::kBig, &big);
    DecodeSegySamples(reversed.data(), 1, c.code, KByteOrder::kLittle, &little);
    EXPECT_EQ(big, c.value);
    EXPECT_EQ(little, c.value);
  }
  const unsigned char nan[] = {0x7F, 0xC0, 0x00, 0x00};
  double value = 0;
  DecodeSegySamples(nan, 1, 5, KByteOrder::kBig, &value);
  EXPECT_TRUE(std::isnan(value));
}

// Sample j of trace i of the generated files is (j - 2)(i + 1), j (i + 1)
// for the unsigned codes; the trace headers' byte order holds for them.
TEST(SegySamples, GeneratedFilesOfEveryCodeAndOrderReadAsWritten) {
  std::vector<std::string> names = {"be_ibm.sgy", "le_ieee.sgy", "mixed_order.sgy", "rev2_be.sgy",
                                    "rev2_le_mark.sgy", "ext_text_stanza.sgy"};
  for (int code : {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 15, 16}) {
    char name[32];
    std::snprintf(name, sizeof name, "format_%02d.sgy", code);
    names.push_back(name);
  }
  for (const std::string& name : names) {
    SCOPED_TRACE(name);
    Opened o = Open(name);
    const bool isUnsigned = o.layout.formatCode >= 10;
    KSegySampleReader reader(o.file, o.layout);
    for (std::int64_t i = 0; i < o.layout.traces; ++i) {
      ASSERT_EQ(reader.Read(i), o.layout.samples);
      for (std::int64_t j = 0; j < o.layout.samples; ++j)
        ASSERT_EQ(reader.samples()[static_cast<std::size_t>(j)], double((isUnsigned ? j : j - 2) * (i + 1)))
            << "trace " << i << " sample " << j;
    }
    EXPECT_EQ(reader.Read(o.layout.traces), 0);  // past the end: nothing
  }
}

// be_ibm.sgy: 6 traces of 10 samples; sum over j of (j - 2)^2 is 145, over
// i of (i + 1)^2 91; one zero (j = 2) a trace.
TEST(SegyStats, AllTracesOrAStride) {
  Opened o = Open("be_ibm.sgy");
  KResultWith<KSegyStats> all = ReadSegyStats(o.file, o.layout, 1);
  ASSERT_TRUE(all) << all.message();
  EXPECT_EQ(all.value().min, -12);
  EXPECT_EQ(all.value().max, 42);
  EXPECT_DOUBLE_EQ(all.value().rms, std::sqrt(145.0 * 91 / 60));
  EXPECT_DOUBLE_EQ(all.value().ZeroShare(), 0.1);
  EXPECT_EQ(all.value().NonfiniteShare(), 0);
  EXPECT_EQ(all.value().tracesRead, 6);
  EXPECT_EQ(all.value().cutSamples, 0);
  // Traces 0 and 4 (factors 1 and 5).
  KResultWith<KSegyStats> stride = ReadSegyStats(o.file, o.layout, 4);
  ASSERT_TRUE(stride);
  EXPECT_EQ(stride.value().tracesRead, 2);
  EXPECT_EQ(stride.value().min, -10);
  EXPECT_EQ(stride.value().max, 35);
  EXPECT_DOUBLE_EQ(stride.value().rms, std::sqrt(145.0 * 26 / 20));
  EXPECT_TRUE(FailedWith(ReadSegyStats(o.file, o.layout, 0), KStatus::kRefused, {"stride"}));
}

// The last trace ends 20 bytes early: 5 of its 10 IBM samples are there.
TEST(SegyStats, ATraceCutShortGivesWhatItHoldsAndSaysSo) {
  Opened o = Open("cut_in_last_samples.sgy");
  KSegySampleReader reader(o.file, o.layout);
  ASSERT_EQ(reader.Read(5), 5);
  EXPECT_EQ(reader.samples().back(), 2 * 6);
  KResultWith<KSegyStats> stats = ReadSegyStats(o.file, o.layout, 1);
  ASSERT_TRUE(stats);
  EXPECT_EQ(stats.value().tracesRead, 6);
  EXPECT_EQ(stats.value().samples, 55);
  EXPECT_EQ(stats.value().cutSamples, 5);
  EXPECT_EQ(stats.value().max, 7 * 5);
}

TEST(SegySection, ATraceRangeOrAnInline) {
  Opened o = Open("be_ibm.sgy");
  KSegySectionRequest range;
  range.first = 2;
  range.last = 3;
  KResultWith<KSegySection> two = ReadSegySection(o.file, o.layout, range);
  ASSERT_TRUE(two) << two.message();
  EXPECT_EQ(two.value().traces, 2);
  EXPECT_EQ(two.value().labels, (std::vector<std::int64_t>{2, 3}));
  EXPECT_EQ(two.value().At(1, 9), 7 * 3);
  EXPECT_FALSE(two.value().crosslines);
  // Inline i / 3 + 10 at byte 189: inline 11 is traces 3-5, crosslines 20-22.
  KSegySectionRequest line;
  line.byInline = true;
  line.inlineNumber = 11;
  line.fields = SegyPreset("3d").value();
  KResultWith<KSegySection> inline11 = ReadSegySection(o.file, o.layout, line);
  ASSERT_TRUE(inline11) << inline11.message();
  EXPECT_EQ(inline11.value().labels, (std::vector<std::int64_t>{20, 21, 22}));
  EXPECT_EQ(inline11.value().At(0, 0), -2 * 4);
  EXPECT_TRUE(inline11.value().crosslines);
  const KSegySectionRequest first = DefaultSegySection(o.file, o.layout);
  EXPECT_TRUE(first.byInline);
  EXPECT_EQ(first.inlineNumber, 10);

  line.inlineNumber = 99;
  EXPECT_TRUE(FailedWith(ReadSegySection(o.file, o.layout, line), KStatus::kRefused,
                         {"be_ibm.sgy", "no trace has inline 99 in bytes 189-192"}));
  range.first = 7;
  range.last = 9;
  EXPECT_TRUE(FailedWith(ReadSegySection(o.file, o.layout, range), KStatus::kRefused, {"past the last trace 6"}));
  // Cut short: the missing samples are zeros, not bytes past the end.
  Opened cut = Open("cut_in_last_samples.sgy");
  KResultWith<KSegySection> all = ReadSegySection(cut.file, cut.layout, {});
  ASSERT_TRUE(all) << all.message();
  EXPECT_EQ(all.value().traces, 6);
  EXPECT_EQ(all.value().At(5, 4), 2 * 6);
  EXPECT_EQ(all.value().At(5, 5), 0);
}

}  // namespace
