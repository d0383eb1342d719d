// The survey geometry from header words (a table computed by hand), the
// textual headers, and the two ways of reading trace headers.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "io/segy/segy_geometry.h"
#include "io/segy/segy_header_scan.h"
#include "io/segy/segy_survey.h"
#include "io/segy/segy_text.h"
#include "io/segy/segy_words.h"
#include "tests/support/heap_counter.h"
#include "tests/support/segy_data.h"

namespace {

struct Trace {
  std::int32_t inl, xl;
  double x, y;
};

struct GeometryCase {
  const char* name;
  std::vector<Trace> traces;
  KSurveyKind kind;
  KSurveyRange inl, xl;  // first, last, step, count
  KSurveySorting sorting;
  std::int64_t missing;
  std::vector<KSurveyPoint> corners;
  std::vector<bool> estimated;
  std::size_t outline;
};

// x = 10 il + xl, y = il - xl throughout, so a corner without a trace has
// an exact place on the plane.
Trace T(std::int32_t inl, std::int32_t xl) { return {inl, xl, 10.0 * inl + xl, 1.0 * inl - xl}; }

const GeometryCase kCases[] = {
    {"inline sorted 3 by 2",
     {T(1, 10), T(1, 20), T(2, 10), T(2, 20), T(3, 10), T(3, 20)},
     KSurveyKind::k3D, {1, 3, 1, 3}, {10, 20, 10, 2}, KSurveySorting::kInline, 0,
     {{20, -9}, {30, -19}, {50, -17}, {40, -7}}, {false, false, false, false}, 4},
    {"crossline sorted, inlines falling by 2",
     {T(5, 1), T(3, 1), T(1, 1), T(5, 2), T(3, 2), T(1, 2)},
     KSurveyKind::k3D, {5, 1, -2, 3}, {1, 2, 1, 2}, KSurveySorting::kCrossline, 0,
     {{51, 4}, {52, 3}, {12, -1}, {11, 0}}, {false, false, false, false}, 4},
    {"corner without a trace, placed on the plane",
     {T(1, 1), T(1, 2), T(1, 3), T(2, 1), T(2, 2)},
     KSurveyKind::k3D, {1, 2, 1, 2}, {1, 3, 1, 3}, KSurveySorting::kInline, 1,
     {{11, 0}, {13, -2}, {23, -1}, {21, 1}}, {false, false, true, false}, 4},
    {"inlines coming back: unsorted; gaps of 4 and 8 give step 4",
     {T(10, 1), T(14, 2), T(10, 2), T(22, 1), T(14, 1), T(22, 2)},
     KSurveyKind::k3D, {10, 22, 4, 3}, {1, 2, 1, 2}, KSurveySorting::kUnsorted, 2,
     {{101, 9}, {102, 8}, {222, 20}, {221, 21}}, {false, false, false, false}, 4},
    {"gathers: a pair repeated is one grid place",
     {T(1, 1), T(1, 1), T(1, 2), T(1, 2), T(2, 1), T(2, 1), T(2, 2)},
     KSurveyKind::k3D, {1, 2, 1, 2}, {1, 2, 1, 2}, KSurveySorting::kInline, 0,
     {{11, 0}, {12, -1}, {22, 0}, {21, 1}}, {false, false, false, false}, 4},
    {"2D line: CDP rising, shot point every second CDP, a CDP missing, a bend",
     {{100, 1, 0, 0}, {101, 1, 25, 0}, {102, 2, 50, 0}, {104, 3, 100, 0}, {105, 3, 100, 30}},
     KSurveyKind::k2D, {100, 105, 1, 5}, {1, 3, 1, 3}, KSurveySorting::kInline, 1,
     {{0, 0}, {100, 30}}, {false, false}, 3},
};

TEST(SurveyGeometry, FromHeaderWords) {
  for (const GeometryCase& c : kCases) {
    SCOPED_TRACE(c.name);
    KSurveyGeometryBuilder builder;
    for (const Trace& t : c.traces) builder.Add(t.inl, t.xl, t.x, t.y);
    const KSurveyGeometry g = builder.Finish();
    EXPECT_EQ(g.kind, c.kind);
    EXPECT_EQ(g.traces, static_cast<std::int64_t>(c.traces.size()));
    for (auto [got, want] : {std::pair{g.inl, c.inl}, {g.xl, c.xl}})
      EXPECT_EQ(std::vector<std::int64_t>({got.first, got.last, got.step, got.count}),
                std::vector<std::int64_t>({want.first, want.last, want.step, want.count}));
    EXPECT_STREQ(SurveySortingName(g.sorting), SurveySortingName(c.sorting));
    EXPECT_EQ(g.missing, c.missing);
    ASSERT_EQ(g.corners.size(), c.corners.size());
    for (std::size_t k = 0; k < c.corners.size(); ++k) {
      ASSERT_TRUE(g.corners[k].point) << k;
      EXPECT_NEAR(g.corners[k].point->x, c.corners[k].x, 1e-9) << k;
      EXPECT_NEAR(g.corners[k].point->y, c.corners[k].y, 1e-9) << k;
      EXPECT_EQ(g.corners[k].estimated, c.estimated[k]) << k;
    }
    EXPECT_EQ(g.outline.size(), c.outline);
  }
}

TEST(SurveyGeometry, EdgesOfTheInput) {
  EXPECT_EQ(KSurveyGeometryBuilder().Finish().traces, 0);
  // Numbers at both ends of 32 bits: the grid is counted without overflow.
  KSurveyGeometryBuilder wide;
  for (auto [i, x] : {std::pair{INT32_MIN, INT32_MIN}, {INT32_MIN, INT32_MAX}, {INT32_MAX, INT32_MIN},
                      {INT32_MAX, INT32_MAX}})
    wide.Add(i, x, 0, 0);
  const KSurveyGeometry g = wide.Finish();
  EXPECT_EQ(g.kind, KSurveyKind::k3D);
  EXPECT_EQ(g.inl.step, std::int64_t{INT32_MAX} - INT32_MIN);
  EXPECT_EQ(g.missing, 0);
  // One trace: a 2D line of one point.
  KSurveyGeometryBuilder one;
  one.Add(7, 3, 1.5, 2.5);
  const KSurveyGeometry o = one.Finish();
  EXPECT_EQ(o.kind, KSurveyKind::k2D);
  EXPECT_EQ(std::vector<std::int64_t>({o.inl.first, o.inl.last, o.inl.step, o.missing}),
            std::vector<std::int64_t>({7, 7, 1, 0}));
  EXPECT_EQ(o.outline.size(), 1u);
  ASSERT_EQ(o.corners.size(), 2u);
  EXPECT_EQ(o.corners[1].point->y, 2.5);
}

TEST(SurveyGeometry, GeneratedSurveysByPreset) {
  struct FileCase {
    const char* file;
    const char* preset;
    const char* expected;  // kind inline crossline sorting missing, then the corners
  } const cases[] = {
      {"survey_3d.sgy", "3d",
       "3d 20,24,2 5,14,3 inline 1 | 600000.5,6700000 599964.5,6700027 599988.5,6700059 600024.5,6700032"},
      {"survey_2d.sgy", "2d-cdp", "2d 100,111,1 1,6,1 inline 1 | 7e+05,7100000 700200,7100100"},
  };
  for (const FileCase& c : cases) {
    SCOPED_TRACE(c.file);
    KResultWith<KInputFile> file = OpenInputFile(GeneratedSegy(c.file));
    ASSERT_TRUE(file);
    const KResultWith<KSegyLayout> layout = ReadSegyLayout(file.value());
    ASSERT_TRUE(layout);
    for (KHeaderReads reads : {KHeaderReads::kBlocks, KHeaderReads::kPerTrace}) {
      const KResultWith<KSurveyGeometry> g =
          ReadSurveyGeometry(file.value(), layout.value(), SegyPreset(c.preset).value(), reads);
      ASSERT_TRUE(g) << g.message();
      const KSurveyGeometry& v = g.value();
      std::string text = std::string(v.kind == KSurveyKind::k3D ? "3d " : "2d ");
      for (const KSurveyRange& r : {v.inl, v.xl})
        text += std::to_string(r.first) + "," + std::to_string(r.last) + "," + std::to_string(r.step) + " ";
      text += std::string(SurveySortingName(v.sorting)) + " " + std::to_string(v.missing) + " |";
      for (const KSurveyCorner& k : v.corners)
        text += " " + (k.point ? ShortestText(k.point->x) + "," + ShortestText(k.point->y) : "?");
      EXPECT_EQ(text, c.expected);
    }
  }
}

TEST(SegyText, EbcdicConvertedAsciiKept) {
  const unsigned char ebcdic[] = {0xC3, 0x40, 0xF1, 0x4B, 0x81, 0xA9, 0x4A, 0x5A, 0x7D, 0x6B, 0x00};
  EXPECT_EQ(EbcdicToAscii(ebcdic, sizeof ebcdic), std::string("C 1.az[]',\0", 11));
  const unsigned char client[] = {0xC3, 0x40, 0xF1, 0x40, 0xC3, 0xD3, 0xC9, 0xC5, 0xD5, 0xE3, 0x7A};  // "C 1 CLIENT:"
  EXPECT_TRUE(LooksLikeEbcdic(client, sizeof client));
  const std::string ascii = "C 1 CLIENT: QUARVEL @ 2026";
  EXPECT_FALSE(LooksLikeEbcdic(reinterpret_cast<const unsigned char*>(ascii.data()), ascii.size()));
  const unsigned char nul[8] = {};
  EXPECT_FALSE(LooksLikeEbcdic(nul, sizeof nul));
}

TEST(SegyText, RecordsOfGeneratedFiles) {
  struct TextCase {
    const char* file;
    std::size_t records;
    std::vector<bool> ebcdic;
    const char* line1;  // of the last record, trailing blanks cut
    bool warns;
  } const cases[] = {
      {"be_ibm.sgy", 1, {true}, "C 1 be_ibm.sgy", false},
      {"le_ieee.sgy", 1, {false}, "C 1 le_ieee.sgy", false},
      {"survey_3d.sgy", 2, {true, true}, "C 1 EXTENDED: INLINE BYTES 189-192, CROSSLINE 193-196, CDP X, Y 181-188",
       false},
      {"ext_text_stanza.sgy", 4, {true, true, true, true}, "((SEG: EndText))", false},
      {"ext_text_count.sgy", 3, {false, false, false}, "C 1 SECOND", false},
      // Counts the file cannot hold, or no binary header: the main record and a warning.
      {"ext_text_huge.sgy", 1, {true}, "C 1 ext_text_huge.sgy", true},
      {"ext_text_no_stanza.sgy", 1, {true}, "C 1 ext_text_no_stanza.sgy", true},
      {"ext_text_negative.sgy", 1, {true}, "C 1 ext_text_negative.sgy", true},
      {"cut_in_binary.sgy", 1, {true}, "C 1 cut_in_binary.sgy", true},
  };
  for (const TextCase& c : cases) {
    SCOPED_TRACE(c.file);
    KResultWith<KInputFile> file = OpenInputFile(GeneratedSegy(c.file));
    ASSERT_TRUE(file);
    KWarningList warnings;
    const KResultWith<std::vector<KSegyTextRecord>> r = ReadSegyText(file.value(), &warnings);
    ASSERT_TRUE(r) << r.message();
    ASSERT_EQ(r.value().size(), c.records);
    for (std::size_t k = 0; k < c.records; ++k) {
      EXPECT_EQ(r.value()[k].ebcdic, c.ebcdic[k]) << k;
      ASSERT_EQ(r.value()[k].lines.size(), 40u);
      for (const std::string& line : r.value()[k].lines) ASSERT_EQ(line.size(), 80u);
    }
    std::string line1 = r.value().back().lines[0];
    line1.erase(line1.find_last_not_of(' ') + 1);
    EXPECT_EQ(line1, c.line1);
    EXPECT_EQ(!warnings.empty(), c.warns);
  }
  KResultWith<KInputFile> cut = OpenInputFile(GeneratedSegy("cut_in_text.sgy"));
  const KResultWith<std::vector<KSegyTextRecord>> refused = ReadSegyText(cut.value());
  EXPECT_EQ(refused.status(), KStatus::kBadInput);
  EXPECT_NE(refused.message().find("ends at byte 1000"), std::string::npos) << refused.message();
}

// Blocks and one read per trace visit the same bytes, a trace cut short
// included, and both stop where the visitor says.
TEST(SegyHeaderScan, BlocksAndPerTraceReadsAgree) {
  for (const char* name : {"be_ibm.sgy", "rev2_be.sgy", "cut_after_first_xy.sgy", "cut_in_last_samples.sgy",
                           "trailing_bytes.sgy", "survey_3d.sgy"}) {
    SCOPED_TRACE(name);
    KResultWith<KInputFile> file = OpenInputFile(GeneratedSegy(name));
    ASSERT_TRUE(file);
    const KSegyLayout layout = ReadSegyLayout(file.value()).value();
    std::vector<std::string> seen[2];
    for (int stop : {-1, 2})
      for (KHeaderReads reads : {KHeaderReads::kBlocks, KHeaderReads::kPerTrace}) {
        std::string& out = seen[reads == KHeaderReads::kPerTrace].emplace_back();
        KHeaderScan scan{layout.TracesHolding(100), 100, reads};
        const KResult r = ScanTraceHeaders(file.value(), layout, scan, [&](std::int64_t i, const unsigned char* h,
                                                                          std::int64_t n) {
          out += std::to_string(i) + ":" + std::string(reinterpret_cast<const char*>(h), static_cast<std::size_t>(n));
          return i != stop;
        });
        ASSERT_TRUE(r) << r.message();
      }
    EXPECT_EQ(seen[0], seen[1]);
    if (layout.traces > 3) {
      EXPECT_NE(seen[0][0], seen[0][1]);
    }
  }
}

// Block reads of a small file take a buffer of about the file's size, not
// a whole block (4 MB).
TEST(SegyHeaderScan, BlockBufferBoundedByTheFile) {
  KResultWith<KInputFile> file = OpenInputFile(GeneratedSegy("be_ibm.sgy"));
  ASSERT_TRUE(file);
  const KSegyLayout layout = ReadSegyLayout(file.value()).value();
  const std::int64_t before = HeapInUse();
  ResetHeapPeak();
  int visits = 0;
  const KHeaderScan scan{layout.traces, 240, KHeaderReads::kBlocks};
  ASSERT_TRUE(ScanTraceHeaders(file.value(), layout, scan, [&](std::int64_t, const unsigned char*, std::int64_t) {
    ++visits;
    return true;
  }));
  EXPECT_EQ(visits, layout.traces);
  EXPECT_LT(HeapPeak() - before, 2 * layout.fileSize);
}

}  // namespace
