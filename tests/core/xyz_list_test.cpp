// x, y, z lists: read from the bytes after their opening token over file and
// memory sources, their plain or weighted storage, writing, extent and
// rectangle deletion.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "io/document/record_readers.h"
#include "io/document/writer.h"
#include "model/grid/kxyz_list.h"
#include "tests/support/reading.h"
#include "tests/support/recording_progress.h"

namespace {

class XyzListRead : public ReaderTest {
protected:
  // The list opened by token, read from rest; in holds what followed.
  std::unique_ptr<KXyzList> List(const std::string& rest, const std::string& token = "XYZ",
                                 KProgressSink* progress = nullptr) {
    in = &Input(rest);
    in->ctx.progress = progress;
    return ReadXyzList(in->ctx, token);
  }
  ElementInput* in = nullptr;
};
INSTANTIATE_READER_TEST(XyzListRead);

void ExpectPoint(const KOne& p, double x, double y, double z, double w, int tag) {
  EXPECT_EQ((std::vector<double>{p.x, p.y, p.z, p.w}), (std::vector<double>{x, y, z, w}));
  EXPECT_EQ(p.tag, tag);
}

TEST_P(XyzListRead, ZCarriesOverWhileWeightAndTagReset) {
  auto list = List("1,2,3,0.5,12\n4,5\n\nNEXT ");
  ASSERT_TRUE(list);
  ASSERT_EQ(list->size(), 2u);
  ExpectPoint(list->At(0), 1, 2, 3, 0.5, 12);
  ExpectPoint(list->At(1), 4, 5, 3, 1.0, 0);
  // The empty token of the blank line ended the list and was consumed.
  EXPECT_EQ(in->NextToken(), "NEXT");
}

TEST_P(XyzListRead, DigitTokenOpensTheListAsItsFirstPoint) {
  auto list = List("9,10,5 11,12\n\n", "7,8");
  ASSERT_TRUE(list);
  ASSERT_EQ(list->size(), 3u);
  ExpectPoint(list->At(0), 7, 8, 0, 1.0, 0);
  ExpectPoint(list->At(1), 9, 10, 5, 1.0, 0);
  ExpectPoint(list->At(2), 11, 12, 5, 1.0, 0);
}

TEST_P(XyzListRead, NegativeOrSingleNumberTokensAreNotPoints) {
  // A negative first x does not open a list by itself...
  EXPECT_FALSE(List("\n", "-7,8"));
  // ...but is an ordinary point inside one.
  auto list = List("-7,8 1,1\n\n");
  ASSERT_TRUE(list);
  EXPECT_EQ(list->size(), 2u);
  EXPECT_EQ(list->At(0).x, -7);
  // One number is not a point: it ends the list and is consumed.
  list = List("1,2,3 5 6,7\n");
  ASSERT_TRUE(list);
  EXPECT_EQ(list->size(), 1u);
  EXPECT_EQ(in->NextToken(), "6,7");
  // A digit token that is no point opens nothing of its own.
  EXPECT_FALSE(List("\n", "5"));
  EXPECT_EQ(in->issues.size(), 1u);
}

TEST_P(XyzListRead, TokenCutByTheEndOfInputIsNotUsed) {
  auto list = List("1,2,3\n4,5");
  ASSERT_TRUE(list);
  EXPECT_EQ(list->size(), 1u);
  EXPECT_FALSE(List(""));
}

TEST_P(XyzListRead, OverlongWordEndsTheListWhole) {
  auto list = List("1,2 3," + std::string(3000, '9') + " 5,6\n\n");
  ASSERT_TRUE(list);
  EXPECT_EQ(list->size(), 1u);
  EXPECT_EQ(in->NextToken(), "5,6");
}

TEST_P(XyzListRead, ReportsProgressOncePerPoint) {
  RecordingProgress progress;
  const std::string text = "1,1,1\n2,2,2\n3,3,3\n\n";
  ASSERT_TRUE(List(text, "XYZ", &progress));
  EXPECT_EQ(progress.totals, std::vector<std::int64_t>{static_cast<std::int64_t>(text.size())});
  EXPECT_EQ(progress.positions, (std::vector<std::int64_t>{6, 12, 18}));
}

// The bounds found while reading stand for the points while the list is
// unchanged; a copy, a list that lost points, or one whose points were
// replaced walks its points again.
TEST_P(XyzListRead, ExtentFoundWhileReadingMatchesTheWalkedOne) {
  auto list = List("3,-2,1 -1,4,1 nan,9,1 2,7,1\n\n");
  ASSERT_TRUE(list);
  const auto extent = [](const KXyzList& l) {
    double minX = 0.5, minY = 1e300, maxX = -1e300, maxY = 5;
    l.Extent(minX, minY, maxX, maxY);
    return std::vector<double>{minX, maxX, minY, maxY};
  };
  EXPECT_EQ(extent(*list), (std::vector<double>{-1, 3, -2, 7}));
  const KXyzList copy = *list;
  EXPECT_EQ(extent(copy), (std::vector<double>{-1, 3, -2, 7}));
  list->RemoveInRect(-1, 4, -1, 4);
  EXPECT_EQ(extent(*list), (std::vector<double>{0.5, 3, -2, 7}));
  const KXyz replaced[] = {{8, 1, 0}, {9, 2, 0}};
  list->Assign(replaced, 2);
  EXPECT_EQ(extent(*list), (std::vector<double>{0.5, 9, 1, 5}));
}

// Lists without weights or tags keep plain points; the first point with its
// own weight or tag turns the list weighted, keeping the points read before.
// Either way the written text is the same and reads back to itself.
TEST_P(XyzListRead, PlainOrWeightedStorageWritesAndReadsBackAlike) {
  const struct {
    const char* text;
    bool weighted;
    const char* written;
  } cases[] = {
      {"1,2,3 4,5,6,1,0\n7,8\n\n", false, "XYZ\r\n1,2,3,1,0\n4,5,6,1,0\n7,8,6,1,0\n\r\n"},
      {"1,2,3 4,5,6,2.5\n7,8,9,1,4 0.5,1\n\n", true,
       "XYZ\r\n1,2,3,1,0\n4,5,6,2.5,0\n7,8,9,1,4\n0.5,1,9,1,0\n\r\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    auto list = List(c.text);
    ASSERT_TRUE(list);
    EXPECT_EQ(list->Weighted(), c.weighted);
    KStringOutput out;
    list->Write(out);
    EXPECT_EQ(out.text, c.written);
    auto back = List(out.text.substr(5));   // after the keyword line
    ASSERT_TRUE(back);
    EXPECT_EQ(back->Weighted(), c.weighted);
    KStringOutput again;
    back->Write(again);
    EXPECT_EQ(again.text, out.text);
  }
}

TEST(XyzList, AddTurnsWeightedOnlyWhenAPointNeedsIt) {
  KXyzList list;
  list.Add({1, 2, 3});
  list.Add({4, 5, 6, 1.0, 0});
  EXPECT_FALSE(list.Weighted());
  list.Add({7, 8, 9, 1.0, 3});
  ASSERT_TRUE(list.Weighted());
  ASSERT_EQ(list.size(), 3u);
  ExpectPoint(list.At(0), 1, 2, 3, 1.0, 0);
  ExpectPoint(list.At(2), 7, 8, 9, 1.0, 3);
}

class XyzListStorage : public testing::TestWithParam<bool> {};
INSTANTIATE_TEST_SUITE_P(PlainAndWeighted, XyzListStorage, testing::Bool());

TEST_P(XyzListStorage, ExtentWidensAndRemoveInRectIncludesTheBorder) {
  KXyzList list;
  const double w = GetParam() ? 2.0 : 1.0;
  for (const KOne& p : {KOne{0, 0, 1, w}, KOne{5, 5, 2, w}, KOne{10, 10, 3, w}, KOne{5, 11, 4, w}, KOne{-1, 5, 5, w}})
    list.Add(p);
  ASSERT_EQ(list.Weighted(), GetParam());
  double minX = 1e300, minY = 1e300, maxX = -1e300, maxY = -1e300;
  list.Extent(minX, minY, maxX, maxY);
  EXPECT_EQ((std::vector<double>{minX, maxX, minY, maxY}), (std::vector<double>{-1, 10, 0, 11}));
  EXPECT_EQ(list.RemoveInRect(0, 0, 10, 10), 3);
  ASSERT_EQ(list.size(), 2u);
  // Survivors keep their order and weights.
  ExpectPoint(list.At(0), 5, 11, 4, w, 0);
  ExpectPoint(list.At(1), -1, 5, 5, w, 0);
  EXPECT_EQ(list.RemoveInRect(0, 0, 10, 10), 0);
}

// One point lives inside the list, more in a block, long lists keep their
// bounds: each form must copy whole, grow into the next and forget bounds
// when points go.
TEST(XyzList, EveryStorageFormCopiesGrowsAndForgetsItsBounds) {
  for (const std::size_t n : {1u, 2u, 17u}) {
    std::vector<KXyz> points;
    for (std::size_t i = 0; i < n; ++i) points.push_back({1.0 * i, 2.0 * i, 3.0 * i});
    KXyzList list;
    list.Assign(points.data(), points.size());
    list.KnowBounds(0, 0, n - 1.0, 2 * (n - 1.0));
    KXyzList copy = list;
    copy.Add({-1, -2, -3, 0.5, 7});  // turns the copy weighted, never the original
    ASSERT_EQ(list.size(), n);
    ASSERT_EQ(copy.size(), n + 1);
    EXPECT_FALSE(list.Weighted());
    EXPECT_TRUE(copy.Weighted());
    for (std::size_t i = 0; i < n; ++i) {
      ExpectPoint(list.At(i), 1.0 * i, 2.0 * i, 3.0 * i, 1.0, 0);
      ExpectPoint(copy.At(i), 1.0 * i, 2.0 * i, 3.0 * i, 1.0, 0);
    }
    ExpectPoint(copy.At(n), -1, -2, -3, 0.5, 7);
    // Without its last point the list's extent shrinks, known bounds or not.
    const double last = n - 1.0;
    EXPECT_EQ(list.RemoveInRect(last, 2 * last, last, 2 * last), 1);
    double minX = 1e300, minY = 1e300, maxX = -1e300, maxY = -1e300;
    list.Extent(minX, minY, maxX, maxY);
    if (n == 1)
      EXPECT_GT(minX, maxX) << "nothing left";
    else
      EXPECT_EQ((std::vector<double>{minX, maxX, minY, maxY}), (std::vector<double>{0, last - 1, 0, 2 * (last - 1)}));
    list.Add({5, 6, 7});
    ExpectPoint(list.At(n - 1), 5, 6, 7, 1.0, 0);
  }
}

}  // namespace
