// The element records: each keyword's syntax, defaults and rejections, read
// by the dispatcher over file and memory sources.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "model/document/elements.h"
#include "model/document/kcurve.h"
#include "model/document/kones.h"
#include "model/document/ktext_properties.h"
#include "tests/support/reading.h"

namespace {

class Records : public ReaderTest {
protected:
  // The record of the only entry read from text (null, failing, otherwise).
  template <class T>
  const T* Only(const std::string& text) {
    doc = Read(text);
    EXPECT_EQ(doc->entries.size(), 1u) << text;
    const T* record = doc->entries.size() == 1 ? doc->entries[0]->As<T>() : nullptr;
    EXPECT_NE(record, nullptr) << text;
    return record;
  }
  std::unique_ptr<KOnes> doc;
};
INSTANTIATE_READER_TEST(Records);

TEST_P(Records, PolylineValuesPerVertex) {
  // Two values: s is the running length. Three: z. Four or more: the file's
  // s, and a fifth (code) value is not kept.
  const struct {
    std::string text;
    int dimension;
    std::vector<double> z, s;
  } cases[] = {
      {"PLINE\n0,0\n3,4\n3,10\n\n", 2, {0, 0, 0}, {0, 5, 11}},
      {"CURVE\n0,0,7\n2,0,8\n\n", 3, {7, 8}, {0, 2}},
      {"CURVE\n0,0,1,100,9\n1,0,2,200\n\n", 5, {1, 2}, {100, 200}},
  };
  for (const auto& c : cases) {
    const KCurve* curve = Only<KCurve>(c.text);
    ASSERT_TRUE(curve);
    EXPECT_EQ(curve->count, static_cast<int>(c.s.size())) << c.text;
    EXPECT_EQ(curve->dimension, c.dimension) << c.text;
    EXPECT_EQ(curve->closure, kOpen);
    EXPECT_EQ(curve->code(), 0);
    EXPECT_EQ(std::vector<double>(curve->z(), curve->z() + curve->count), c.z) << c.text;
    EXPECT_EQ(std::vector<double>(curve->s(), curve->s() + curve->count), c.s) << c.text;
  }
}

TEST_P(Records, PolylineClosureMarkersAndSpareSlots) {
  const std::pair<const char*, int> markers[] = {
      {"S", kFilled}, {"c", kClosed}, {"B", kSplineOpen}, {"BS", kSplineFilled}, {"bc", kSplineClosed}};
  for (const auto& [marker, kind] : markers) {
    const KCurve* c = Only<KCurve>(std::string("PLINE\n0,0\n1,0\n1,1\n") + marker + "\n\n");
    ASSERT_TRUE(c);
    EXPECT_EQ(c->closure, kind) << marker;
    // Slots count and count + 1 repeat points 0 and 1.
    EXPECT_EQ(std::vector<double>(c->x() + 3, c->x() + 5), (std::vector<double>{0, 1})) << marker;
    EXPECT_EQ(c->y()[4], 0.0) << marker;
  }
}

TEST_P(Records, PolylineCodeWidthAndNames) {
  const KCurve* c = Only<KCurve>("PLINE\n0,0\n1,1\ncode 7\nW 0.25\nS\nunknown command\n\n");
  ASSERT_TRUE(c);
  EXPECT_EQ(c->code(), 7);
  EXPECT_DOUBLE_EQ(c->width(), 0.25);
  EXPECT_EQ(c->closure, kFilled);  // a code line does not touch the closure
  // "CODE" alone: no number after it.
  c = Only<KCurve>("PLINE\n0,0\n1,1\nCODE\n\n");
  ASSERT_TRUE(c);
  EXPECT_EQ(c->code(), 0);
  EXPECT_EQ(c->closure, kOpen);

  auto names = Read("pline.fault_a\n0,0\n1,1\n\n3DPOLY.x\n0,0\n1,1\n\n");
  ASSERT_EQ(names->entries.size(), 2u);
  EXPECT_EQ(names->entries[0]->As<KCurve>()->name(), "FAULT_A");
  EXPECT_EQ(names->entries[1]->As<KCurve>()->name(), "");  // "." is not at index 5
}

TEST_P(Records, WhatEndsAPolyline) {
  // A blank, a control byte or a high byte at the start of a line ends it.
  for (const std::string end : {" trailing", "\t", "\xb5\xc4 text"}) {
    auto read = Read("PLINE\n0,0\n1,1\n" + end + "\n5,5\n\n");
    ASSERT_GE(read->entries.size(), 1u);
    EXPECT_EQ(read->entries[0]->As<KCurve>()->count, 2);
  }
  // The first vertex may stand on the keyword's own line.
  const KCurve* c = Only<KCurve>("PLINE 0,0\n1,1\n\n");
  ASSERT_TRUE(c);
  EXPECT_EQ(c->count, 2);
}

TEST_P(Records, PolylineRejections) {
  auto read = Read("PLINE\n0,0\n\nPLINE\n1,1\n1,1\n\nPLINE\n0,0\n1e-8,0\n\n");
  EXPECT_TRUE(read->entries.empty());
  ASSERT_EQ(read->ReadIssues().size(), 3u);
  EXPECT_EQ(read->ReadIssues()[0].why, "fewer than 2 vertices");
  EXPECT_EQ(read->ReadIssues()[1].why, "total length below 1e-6");
  // Without its terminating line: Dispatcher.IssuesSayWhatWhereAndWhy.
}

TEST_P(Records, Point) {
  const struct {
    std::string text;
    double z;
    std::string label;
  } cases[] = {
      {"POINT 1.5,2.5 W-1\n", 0, "W-1"},
      {"MARKTEXT 1.5,2.5,3 two words\n", 3, "two"},
      {"POINT 1.5,2.5\n", 0, ""},
      // Overlong words stay within their buffers.
      {"POINT 1.5,2.5 " + std::string(1000, 'L') + "\n", 0, std::string(255, 'L')},
  };
  for (const auto& c : cases) {
    const KPointText* p = Only<KPointText>(c.text);
    ASSERT_TRUE(p);
    EXPECT_EQ(p->x, 1.5);
    EXPECT_EQ(p->y, 2.5);
    EXPECT_EQ(p->z, c.z);
    EXPECT_EQ(p->label, c.label);
  }
  auto rejected = Read("POINT 1 label\nPOINT\n\nPOINT x,y\n");
  EXPECT_TRUE(rejected->entries.empty());
  EXPECT_EQ(rejected->ReadIssues().size(), 3u);
}

TEST_P(Records, Insert) {
  const KInsert* ins = Only<KInsert>("INSERT sym\\well 10,20 2 3 45\n");
  ASSERT_TRUE(ins);
  EXPECT_EQ(ins->blockName, "sym\\well");
  // y size first.
  EXPECT_EQ((std::vector<double>{ins->x, ins->y, ins->ySize, ins->xSize, ins->angle}),
            (std::vector<double>{10, 20, 2, 3, 45}));
  // The sizes line missing: its line is the next (empty) one.
  ins = Only<KInsert>("Insert b 1,2\n\n");
  ASSERT_TRUE(ins);
  EXPECT_EQ(ins->xSize, 0);
  EXPECT_EQ(ins->ySize, 0);
}

TEST_P(Records, Text) {
  const KText* t = Only<KText>("TEXT 5,6 1 30 Hello  big world\n");
  ASSERT_TRUE(t);
  EXPECT_EQ((std::vector<double>{t->x, t->y, t->height, t->width, t->angle}), (std::vector<double>{5, 6, 1, 0.4, 30}));
  EXPECT_EQ(t->text, "Hello  big world");
  EXPECT_FALSE(t->fromFont);
  EXPECT_EQ(t->font.weight, 400);
}

TEST_P(Records, FontText) {
  const KText* t = Only<KText>("FONT 100,200\nTitle of the map\n"
                               "12 20 15 0 700 1 0 0 1 0 0 2 34 A very long face name that goes on and on\n");
  ASSERT_TRUE(t);
  EXPECT_TRUE(t->fromFont);
  EXPECT_EQ(t->text, "Title of the map");
  EXPECT_EQ((std::vector<double>{t->x, t->y, t->width, t->height, t->angle}),
            (std::vector<double>{100, 200, 12, 20, 15}));
  EXPECT_EQ((std::vector<int>{t->font.orientation, t->font.weight, t->font.italic, t->font.charSet, t->font.quality,
                              t->font.pitchAndFamily}),
            (std::vector<int>{0, 700, 1, 1, 2, 34}));
  EXPECT_EQ(t->font.faceName, std::string("A very long face name that goes on and on").substr(0, 31));

  // The last font token ends its line: no face name, and the next line is
  // left to the dispatcher.
  auto read = Read("FONT 1,2\nt\n1 2 3 0 700 0 0 0 0 0 0 0 0\nPOINT 1,1 p\n");
  ASSERT_EQ(read->entries.size(), 2u);
  EXPECT_EQ(read->entries[0]->As<KText>()->font.faceName, "");
  // Input ends inside the tokens: the record stays, with defaults.
  t = Only<KText>("FONT 1,2\nt\n1 2 ");
  ASSERT_TRUE(t);
  EXPECT_EQ(t->width, 1);
  EXPECT_EQ(t->height, 2);
  EXPECT_EQ(t->font.weight, 400);
}

TEST_P(Records, BitmapAndLogo) {
  const KBmpIn* b = Only<KBmpIn>("BMPIN missing_picture.bmp 3\n10,20\n110,70\n");
  ASSERT_TRUE(b);
  EXPECT_EQ(b->fileName, "missing_picture.bmp");
  EXPECT_EQ(b->mode, 3);
  EXPECT_EQ((std::vector<double>{b->x, b->y, b->width, b->height}), (std::vector<double>{10, 20, 100, 50}));
  EXPECT_TRUE(b->image.empty());  // still added without its picture

  const KLogo* l = Only<KLogo>("LOGO 1,2 30 40 5\n");
  ASSERT_TRUE(l);
  EXPECT_EQ((std::vector<double>{l->x, l->y, l->height, l->width, l->angle}), (std::vector<double>{1, 2, 30, 40, 5}));
}

TEST_P(Records, TextPropertiesAllFourLines) {
  auto read = Read("TextProperties\nFont 0 100 0 0 0 1 0 0 0 0 Times New Roman\nMark 1.0000 5.0000 0.0000 window\\play\n"
                   "Text 0.6000 0.2400 0.0000 0.4300 0.2000 2 2 0\nColor -65535\nCOLOR 77\n");
  const KTextProperties& tp = *read->PendingTextProperties();
  EXPECT_EQ(tp.labelFont.faceName, "Times New Roman");
  EXPECT_EQ(tp.labelFont.weight, 100);
  EXPECT_EQ(tp.labelFont.charSet, 1);
  EXPECT_EQ(tp.markName, "window\\play");
  EXPECT_EQ((std::vector<double>{tp.markHeight, tp.markWidth, tp.labelHeight, tp.labelWidth, tp.labelOffsetX,
                                 tp.labelOffsetY}),
            (std::vector<double>{1, 5, 0.6, 0.24, 0.43, 0.2}));
  EXPECT_EQ(tp.labelColour, -65535);
  // At most four lines: a fifth is read by the dispatcher.
  EXPECT_EQ(read->currentColour, 77);

  // The mark name needs all four values.
  read = Read("TEXTP\nMark 2 3\n\n");
  EXPECT_EQ(read->PendingTextProperties()->markHeight, 2);
  EXPECT_EQ(read->PendingTextProperties()->markWidth, 3);
  EXPECT_EQ(read->PendingTextProperties()->markName, "");
}

TEST_P(Records, TextPropertiesRejections) {
  const std::string rejected[] = {
      "TEXTP\n\n",                 // empty block
      "TEXTP\n Mark 1 1 0 s\n\n",  // first line starts with a blank
      "TEXTP\nHello\n\n",          // not a property word, ending its line
      "TEXTP\nHello there\n\n",    // not a property word
      "TEXTP\nColor ",             // input ends at the colour
      "TEXTP\nMark 1 1 0 s\n",     // input ends before the block does
  };
  for (const std::string& text : rejected) {
    auto read = Read(text);
    EXPECT_EQ(read->PendingTextProperties()->markName, "") << text;
    EXPECT_DOUBLE_EQ(read->PendingTextProperties()->markHeight, 5.0) << text;
    EXPECT_FALSE(read->ReadIssues().empty()) << text;
  }
}

}  // namespace
