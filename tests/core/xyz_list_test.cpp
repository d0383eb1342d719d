#include <gtest/gtest.h>

#include <clocale>
#include <cstdint>
#include <string>
#include <vector>

#include "document/io/kread_context.h"
#include "document/io/lexer.h"
#include "document/io/record_readers.h"
#include "grid/kxyz_list.h"
#include "platform/byte_source.h"
#include "platform/progress.h"

namespace {

// Reads a list whose opening token was `token`, from the bytes after it.
struct XyzRead {
  explicit XyzRead(const std::string& rest, const std::string& token = "XYZ",
                   KProgressSink* progress = nullptr)
      : src(KByteSource::FromMemory(rest)), ctx{src, progress, &issues} {
    list = ReadXyzList(ctx, token);
  }
  std::string NextToken() {
    std::string t;
    ReadToken(src, t);
    return t;
  }
  KByteSource src;
  std::vector<KReadIssue> issues;
  KReadContext ctx;
  std::unique_ptr<KXyzList> list;
};

void ExpectPoint(const KOne& p, double x, double y, double z, double w, int tag) {
  EXPECT_EQ(p.x, x);
  EXPECT_EQ(p.y, y);
  EXPECT_EQ(p.z, z);
  EXPECT_EQ(p.w, w);
  EXPECT_EQ(p.tag, tag);
}

TEST(XyzListRead, ZCarriesOverWhileWeightAndTagReset) {
  XyzRead r("1,2,3,0.5,12\n4,5\n\nNEXT ");
  ASSERT_TRUE(r.list);
  ASSERT_EQ(r.list->points.size(), 2u);
  ExpectPoint(r.list->points[0], 1, 2, 3, 0.5, 12);
  ExpectPoint(r.list->points[1], 4, 5, 3, 1.0, 0);
  // The empty token of the blank line ended the list and was consumed.
  EXPECT_EQ(r.NextToken(), "NEXT");
}

TEST(XyzListRead, DigitTokenOpensTheListAsItsFirstPoint) {
  XyzRead r("9,10,5 11,12\n\n", "7,8");
  ASSERT_TRUE(r.list);
  ASSERT_EQ(r.list->points.size(), 3u);
  ExpectPoint(r.list->points[0], 7, 8, 0, 1.0, 0);
  ExpectPoint(r.list->points[1], 9, 10, 5, 1.0, 0);
  ExpectPoint(r.list->points[2], 11, 12, 5, 1.0, 0);
}

TEST(XyzListRead, NegativeOrSingleNumberTokensAreNotPoints) {
  // A negative first x does not open a list by itself...
  XyzRead negative("\n", "-7,8");
  EXPECT_FALSE(negative.list);
  // ...but is an ordinary point inside one.
  XyzRead inside("-7,8 1,1\n\n");
  ASSERT_TRUE(inside.list);
  EXPECT_EQ(inside.list->points.size(), 2u);
  EXPECT_EQ(inside.list->points[0].x, -7);

  // One number is not a point: it ends the list and is consumed.
  XyzRead single("1,2,3 5 6,7\n");
  ASSERT_TRUE(single.list);
  EXPECT_EQ(single.list->points.size(), 1u);
  EXPECT_EQ(single.NextToken(), "6,7");

  // A digit token that is no point opens nothing of its own.
  XyzRead five("\n", "5");
  EXPECT_FALSE(five.list);
  EXPECT_EQ(five.issues.size(), 1u);
}

TEST(XyzListRead, TokenCutByTheEndOfInputIsNotUsed) {
  XyzRead r("1,2,3\n4,5");
  ASSERT_TRUE(r.list);
  EXPECT_EQ(r.list->points.size(), 1u);

  XyzRead empty("");
  EXPECT_FALSE(empty.list);
}

TEST(XyzListRead, OverlongWordEndsTheListWhole) {
  XyzRead r("1,2 3," + std::string(3000, '9') + " 5,6\n\n");
  ASSERT_TRUE(r.list);
  EXPECT_EQ(r.list->points.size(), 1u);
  EXPECT_EQ(r.NextToken(), "5,6");
}

TEST(XyzListRead, ReadsPointDecimalsUnderACommaLocale) {
  const std::string saved = std::setlocale(LC_ALL, nullptr);
  const bool haveGerman = std::setlocale(LC_ALL, "de_DE.UTF-8") != nullptr;
  XyzRead r("1.5,2.25,3.125,0.75,4\n\n");
  std::setlocale(LC_ALL, saved.c_str());
  if (!haveGerman) GTEST_SKIP() << "de_DE.UTF-8 is not available";
  ASSERT_TRUE(r.list);
  ExpectPoint(r.list->points[0], 1.5, 2.25, 3.125, 0.75, 4);
}

class RecordingProgress : public KProgressSink {
public:
  void SetTotal(std::int64_t total) override { totals.push_back(total); }
  void SetPos(std::int64_t pos) override { positions.push_back(pos); }
  std::vector<std::int64_t> totals, positions;
};

TEST(XyzListRead, ReportsProgressOncePerPoint) {
  RecordingProgress progress;
  const std::string text = "1,1,1\n2,2,2\n3,3,3\n\n";
  XyzRead r(text, "XYZ", &progress);
  ASSERT_TRUE(r.list);
  ASSERT_EQ(progress.totals.size(), 1u);
  EXPECT_EQ(progress.totals[0], static_cast<std::int64_t>(text.size()));
  ASSERT_EQ(progress.positions.size(), 3u);
  EXPECT_EQ(progress.positions[0], 6);
  EXPECT_EQ(progress.positions[2], 18);
}

TEST(XyzList, ExtentWidensAndRemoveInRectIncludesTheBorder) {
  KXyzList list;
  list.points = {{0, 0, 1}, {5, 5, 2}, {10, 10, 3}, {5, 11, 4}, {-1, 5, 5}};
  double minX = 1e300, minY = 1e300, maxX = -1e300, maxY = -1e300;
  list.Extent(minX, minY, maxX, maxY);
  EXPECT_EQ(minX, -1);
  EXPECT_EQ(maxX, 10);
  EXPECT_EQ(minY, 0);
  EXPECT_EQ(maxY, 11);

  EXPECT_EQ(list.RemoveInRect(0, 0, 10, 10), 3);
  ASSERT_EQ(list.points.size(), 2u);
  // Survivors keep their order.
  EXPECT_EQ(list.points[0].z, 4);
  EXPECT_EQ(list.points[1].z, 5);
  EXPECT_EQ(list.RemoveInRect(0, 0, 10, 10), 0);
}

}  // namespace
