// Numbers read and written the same under a comma-decimal process locale,
// which is left as it was.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "model/document/elements.h"
#include "io/document/record_readers.h"
#include "io/document/writer.h"
#include "model/document/kcurve.h"
#include "model/document/ktext_properties.h"
#include "model/grid/kxyz_list.h"
#include "tests/support/comma_locale.h"
#include "tests/support/reading.h"

namespace {

class CommaDecimals : public ::testing::Test {
protected:
  void SetUp() override {
    if (!comma_.active()) GTEST_SKIP() << "no comma-decimal locale is installed";
  }
  void TearDown() override {
    // The process locale is left as it was.
    double probe = 0;
    std::sscanf("2,5", "%lf", &probe);
    EXPECT_DOUBLE_EQ(probe, 2.5);
  }
  CommaLocale comma_;
};

TEST_F(CommaDecimals, DrawingNumbersStillUseThePoint) {
  auto doc = ReadDrawing(
      "PLINE\n1.5,2.25\n3.5,4.75\n\n"
      "TEXT 0.5,0.25 2.5 12.5 label\n"
      "TEXTP\nMark 1.5 2.5 0.5 sym\n\n"
      "POINT 7.5,8.5,9.5 w\n");
  ASSERT_EQ(doc->entries.size(), 3u);
  const KCurve* c = doc->entries[0]->As<KCurve>();
  EXPECT_DOUBLE_EQ(c->x()[0], 1.5);
  EXPECT_DOUBLE_EQ(c->y()[1], 4.75);
  const KText* t = doc->entries[1]->As<KText>();
  EXPECT_DOUBLE_EQ(t->height, 2.5);
  EXPECT_DOUBLE_EQ(t->angle, 12.5);
  EXPECT_DOUBLE_EQ(doc->PendingTextProperties()->markHeight, 1.5);
  EXPECT_DOUBLE_EQ(doc->entries[2]->As<KPointText>()->z, 9.5);
}

TEST_F(CommaDecimals, XyzListReaderAlone) {
  ElementInput in(KByteSource::FromMemory("1.5,2.25,3.125,0.75,4\n\n"));
  auto list = ReadXyzList(in.ctx, "XYZ");
  ASSERT_TRUE(list);
  ASSERT_EQ(list->size(), 1u);
  const KOne& p = list->At(0);
  EXPECT_EQ((std::vector<double>{p.x, p.y, p.z, p.w}), (std::vector<double>{1.5, 2.25, 3.125, 0.75}));
  EXPECT_EQ(p.tag, 4);
}

TEST_F(CommaDecimals, CurveFromStrings) {
  KCurve c;
  c.FromStrings({"1.5,2.25", "4.5,6.25", "junk"});
  ASSERT_EQ(c.count, 3);
  EXPECT_EQ((std::vector<double>{c.x()[0], c.y()[0], c.x()[1], c.y()[1], c.x()[2]}),
            (std::vector<double>{1.5, 2.25, 4.5, 6.25, 0}));
  EXPECT_EQ(c.z()[1], 0);
  EXPECT_EQ(c.dimension, 2);
  EXPECT_DOUBLE_EQ(c.s()[1], 5);
}

TEST_F(CommaDecimals, WriterNumbers) {
  EXPECT_EQ(FormatNumber(1.5), "1.5");
  EXPECT_EQ(FormatFixed6(-2.25), "-2.250000");
}

}  // namespace
