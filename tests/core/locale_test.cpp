// Numbers read the same under a comma-decimal process locale.
#include <gtest/gtest.h>

#include <clocale>
#include <string>

#include "document/elements.h"
#include "document/kcurve.h"
#include "document/ktext_properties.h"
#include "tests/core/read_helpers.h"

namespace {

class CommaLocale : public ::testing::Test {
protected:
  void SetUp() override {
    if (!std::setlocale(LC_ALL, "de_DE.UTF-8")) GTEST_SKIP() << "de_DE.UTF-8 is not installed";
    // Make sure the locale really reads commas, or the test proves nothing.
    double probe = 0;
    ASSERT_EQ(std::sscanf("1,5", "%lf", &probe), 1);
    ASSERT_DOUBLE_EQ(probe, 1.5);
  }
  void TearDown() override { std::setlocale(LC_ALL, "C"); }
};

TEST_F(CommaLocale, DrawingNumbersStillUseThePoint) {
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
  EXPECT_DOUBLE_EQ(t->height, 2.5);  // atof
  EXPECT_DOUBLE_EQ(t->angle, 12.5);
  EXPECT_DOUBLE_EQ(doc->pendingTextProperties->markHeight, 1.5);
  EXPECT_DOUBLE_EQ(doc->entries[2]->As<KPointText>()->z, 9.5);
  // The process locale is left as it was.
  double probe = 0;
  std::sscanf("2,5", "%lf", &probe);
  EXPECT_DOUBLE_EQ(probe, 2.5);
}

}  // namespace
