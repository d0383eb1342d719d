// The element records: each keyword's syntax, defaults and rejections.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "document/elements.h"
#include "document/kcurve.h"
#include "document/kones.h"
#include "document/ktext_properties.h"
#include "tests/core/read_helpers.h"

namespace {

// The only entry's record of type T (fails the test when there is none).
template <class T>
const T* Only(const KOnes& doc) {
  EXPECT_EQ(doc.entries.size(), 1u);
  if (doc.entries.size() != 1) return nullptr;
  const T* record = doc.entries[0]->As<T>();
  EXPECT_NE(record, nullptr);
  return record;
}

TEST(Polyline, TwoValueVerticesGetRunningLength) {
  auto doc = ReadDrawing("PLINE\n0,0\n3,4\n3,10\n\n");
  const KCurve* c = Only<KCurve>(*doc);
  ASSERT_TRUE(c);
  EXPECT_EQ(c->count, 3);
  EXPECT_EQ(c->dimension, 2);
  EXPECT_EQ(c->closure, kOpen);
  EXPECT_DOUBLE_EQ(c->s()[0], 0.0);
  EXPECT_DOUBLE_EQ(c->s()[1], 5.0);
  EXPECT_DOUBLE_EQ(c->s()[2], 11.0);
  EXPECT_DOUBLE_EQ(c->z()[1], 0.0);
}

TEST(Polyline, FourValuesKeepTheFileS_AndTheCodeValueIsNotKept) {
  auto doc = ReadDrawing("CURVE\n0,0,1,100,9\n1,0,2,200\n\n");
  const KCurve* c = Only<KCurve>(*doc);
  ASSERT_TRUE(c);
  EXPECT_EQ(c->dimension, 5);
  EXPECT_DOUBLE_EQ(c->s()[0], 100.0);
  EXPECT_DOUBLE_EQ(c->s()[1], 200.0);
  EXPECT_DOUBLE_EQ(c->z()[1], 2.0);
  EXPECT_EQ(c->code, 0);
  // Three values: dimension 3, s computed.
  doc = ReadDrawing("CURVE\n0,0,7\n2,0,8\n\n");
  ASSERT_TRUE(Only<KCurve>(*doc));
  EXPECT_EQ(Only<KCurve>(*doc)->dimension, 3);
  EXPECT_DOUBLE_EQ(Only<KCurve>(*doc)->s()[1], 2.0);
}

TEST(Polyline, ClosureMarkersAndSpareSlots) {
  const std::pair<const char*, int> markers[] = {
      {"S", kFilled}, {"c", kClosed}, {"B", kSplineOpen}, {"BS", kSplineFilled}, {"bc", kSplineClosed}};
  for (const auto& [marker, kind] : markers) {
    auto doc = ReadDrawing(std::string("PLINE\n0,0\n1,0\n1,1\n") + marker + "\n\n");
    const KCurve* c = Only<KCurve>(*doc);
    ASSERT_TRUE(c) << marker;
    EXPECT_EQ(c->closure, kind) << marker;
    EXPECT_TRUE(c->IsClosed());
    // Slots count and count + 1 repeat points 0 and 1.
    EXPECT_DOUBLE_EQ(c->x()[3], 0.0) << marker;
    EXPECT_DOUBLE_EQ(c->x()[4], 1.0) << marker;
    EXPECT_DOUBLE_EQ(c->y()[4], 0.0) << marker;
  }
}

TEST(Polyline, CodeAndWidthLines) {
  auto doc = ReadDrawing("PLINE\n0,0\n1,1\ncode 7\nW 0.25\nS\nunknown command\n\n");
  const KCurve* c = Only<KCurve>(*doc);
  ASSERT_TRUE(c);
  EXPECT_EQ(c->code, 7);
  EXPECT_DOUBLE_EQ(c->width, 0.25);
  EXPECT_EQ(c->closure, kFilled);  // a code line does not touch the closure
  // "CODE" alone: no number after it.
  doc = ReadDrawing("PLINE\n0,0\n1,1\nCODE\n\n");
  ASSERT_TRUE(Only<KCurve>(*doc));
  EXPECT_EQ(Only<KCurve>(*doc)->code, 0);
  EXPECT_EQ(Only<KCurve>(*doc)->closure, kOpen);
}

TEST(Polyline, NamesFromTheKeywordSuffix) {
  auto doc = ReadDrawing("pline.fault_a\n0,0\n1,1\n\n3DPOLY.x\n0,0\n1,1\n\n");
  ASSERT_EQ(doc->entries.size(), 2u);
  EXPECT_EQ(doc->entries[0]->As<KCurve>()->name, "FAULT_A");
  EXPECT_EQ(doc->entries[1]->As<KCurve>()->name, "");  // "." is not at index 5
}

TEST(Polyline, WhatEndsAPolyline) {
  // A blank, a control byte or a high byte at the start of a line ends it.
  for (const std::string end : {" trailing", "\t", "\xb5\xc4 text"}) {
    auto doc = ReadDrawing("PLINE\n0,0\n1,1\n" + end + "\n5,5\n\n");
    ASSERT_GE(doc->entries.size(), 1u);
    EXPECT_EQ(doc->entries[0]->As<KCurve>()->count, 2);
  }
  // The first vertex may stand on the keyword's own line.
  auto doc = ReadDrawing("PLINE 0,0\n1,1\n\n");
  ASSERT_TRUE(Only<KCurve>(*doc));
  EXPECT_EQ(Only<KCurve>(*doc)->count, 2);
}

TEST(Polyline, Rejections) {
  auto doc = ReadDrawing("PLINE\n0,0\n\nPLINE\n1,1\n1,1\n\nPLINE\n0,0\n1e-8,0\n\n");
  EXPECT_TRUE(doc->entries.empty());
  ASSERT_EQ(doc->readIssues.size(), 3u);
  EXPECT_EQ(doc->readIssues[0].why, "fewer than 2 vertices");
  EXPECT_EQ(doc->readIssues[1].why, "total length below 1e-6");
  // No terminating line: dropped.
  doc = ReadDrawing("PLINE\n0,0\n1,1\n");
  EXPECT_TRUE(doc->entries.empty());
  EXPECT_EQ(doc->readIssues.at(0).what, "polyline dropped");
}

TEST(Point, Syntax) {
  auto doc = ReadDrawing("POINT 1.5,2.5 W-1\n");
  const KPointText* p = Only<KPointText>(*doc);
  ASSERT_TRUE(p);
  EXPECT_DOUBLE_EQ(p->x, 1.5);
  EXPECT_DOUBLE_EQ(p->y, 2.5);
  EXPECT_DOUBLE_EQ(p->z, 0.0);
  EXPECT_EQ(p->label, "W-1");

  doc = ReadDrawing("MARKTEXT 1,2,3 two words\n");
  ASSERT_TRUE(Only<KPointText>(*doc));
  EXPECT_DOUBLE_EQ(Only<KPointText>(*doc)->z, 3.0);
  EXPECT_EQ(Only<KPointText>(*doc)->label, "two");

  doc = ReadDrawing("POINT 1,2\n");
  ASSERT_TRUE(Only<KPointText>(*doc));
  EXPECT_EQ(Only<KPointText>(*doc)->label, "");

  doc = ReadDrawing("POINT 1 label\nPOINT\n\nPOINT x,y\n");
  EXPECT_TRUE(doc->entries.empty());
  EXPECT_EQ(doc->readIssues.size(), 3u);
}

TEST(Point, OverlongWordsStayWithinTheirBuffers) {
  auto doc = ReadDrawing("POINT 1,2 " + std::string(1000, 'L') + "\n");
  ASSERT_TRUE(Only<KPointText>(*doc));
  EXPECT_EQ(Only<KPointText>(*doc)->label.size(), 255u);
}

TEST(Insert, Syntax) {
  auto doc = ReadDrawing("INSERT sym\\well 10,20 2 3 45\n");
  const KInsert* ins = Only<KInsert>(*doc);
  ASSERT_TRUE(ins);
  EXPECT_EQ(ins->blockName, "sym\\well");
  EXPECT_DOUBLE_EQ(ins->x, 10);
  EXPECT_DOUBLE_EQ(ins->y, 20);
  EXPECT_DOUBLE_EQ(ins->ySize, 2);  // y size first
  EXPECT_DOUBLE_EQ(ins->xSize, 3);
  EXPECT_DOUBLE_EQ(ins->angle, 45);

  // The sizes line missing: its line is the next (empty) one.
  doc = ReadDrawing("Insert b 1,2\n\n");
  ins = Only<KInsert>(*doc);
  ASSERT_TRUE(ins);
  EXPECT_DOUBLE_EQ(ins->xSize, 0);
  EXPECT_DOUBLE_EQ(ins->ySize, 0);
}

TEST(Text, Syntax) {
  auto doc = ReadDrawing("TEXT 5,6 1 30 Hello  big world\n");
  const KText* t = Only<KText>(*doc);
  ASSERT_TRUE(t);
  EXPECT_DOUBLE_EQ(t->x, 5);
  EXPECT_DOUBLE_EQ(t->y, 6);
  EXPECT_DOUBLE_EQ(t->height, 1);
  EXPECT_DOUBLE_EQ(t->width, 0.4);
  EXPECT_DOUBLE_EQ(t->angle, 30);
  EXPECT_EQ(t->text, "Hello  big world");
  EXPECT_FALSE(t->fromFont);
  EXPECT_EQ(t->font.weight, 400);
}

TEST(FontText, FullSyntax) {
  auto doc = ReadDrawing(
      "FONT 100,200\nTitle of the map\n"
      "12 20 15 0 700 1 0 0 1 0 0 2 34 A very long face name that goes on and on\n");
  const KText* t = Only<KText>(*doc);
  ASSERT_TRUE(t);
  EXPECT_TRUE(t->fromFont);
  EXPECT_DOUBLE_EQ(t->x, 100);
  EXPECT_DOUBLE_EQ(t->y, 200);
  EXPECT_EQ(t->text, "Title of the map");
  EXPECT_DOUBLE_EQ(t->width, 12);
  EXPECT_DOUBLE_EQ(t->height, 20);
  EXPECT_DOUBLE_EQ(t->angle, 15);
  EXPECT_EQ(t->font.orientation, 0);
  EXPECT_EQ(t->font.weight, 700);
  EXPECT_EQ(t->font.italic, 1);
  EXPECT_EQ(t->font.charSet, 1);
  EXPECT_EQ(t->font.quality, 2);
  EXPECT_EQ(t->font.pitchAndFamily, 34);
  EXPECT_EQ(t->font.faceName, std::string("A very long face name that goes on and on").substr(0, 31));
}

TEST(FontText, EndOfLineAndEndOfInput) {
  // The last font token ends its line: no face name, and the next line is
  // left to the dispatcher.
  auto doc = ReadDrawing("FONT 1,2\nt\n1 2 3 0 700 0 0 0 0 0 0 0 0\nPOINT 1,1 p\n");
  ASSERT_EQ(doc->entries.size(), 2u);
  EXPECT_EQ(doc->entries[0]->As<KText>()->font.faceName, "");
  // Input ends inside the tokens: the record stays, with defaults.
  doc = ReadDrawing("FONT 1,2\nt\n1 2 ");
  const KText* t = Only<KText>(*doc);
  ASSERT_TRUE(t);
  EXPECT_DOUBLE_EQ(t->width, 1);
  EXPECT_DOUBLE_EQ(t->height, 2);
  EXPECT_EQ(t->font.weight, 400);
}

TEST(Bitmap, Syntax) {
  auto doc = ReadDrawing("BMPIN missing_picture.bmp 3\n10,20\n110,70\n");
  const KBmpIn* b = Only<KBmpIn>(*doc);
  ASSERT_TRUE(b);
  EXPECT_EQ(b->fileName, "missing_picture.bmp");
  EXPECT_EQ(b->mode, 3);
  EXPECT_DOUBLE_EQ(b->x, 10);
  EXPECT_DOUBLE_EQ(b->y, 20);
  EXPECT_DOUBLE_EQ(b->width, 100);
  EXPECT_DOUBLE_EQ(b->height, 50);
  EXPECT_TRUE(b->image.empty());  // still added without its picture
}

TEST(Logo, Syntax) {
  auto doc = ReadDrawing("LOGO 1,2 30 40 5\n");
  const KLogo* l = Only<KLogo>(*doc);
  ASSERT_TRUE(l);
  EXPECT_DOUBLE_EQ(l->x, 1);
  EXPECT_DOUBLE_EQ(l->y, 2);
  EXPECT_DOUBLE_EQ(l->height, 30);
  EXPECT_DOUBLE_EQ(l->width, 40);
  EXPECT_DOUBLE_EQ(l->angle, 5);
}

TEST(TextProperties, AllFourLines) {
  auto doc = ReadDrawing(
      "TextProperties\n"
      "Font 0 100 0 0 0 1 0 0 0 0 Times New Roman\n"
      "Mark 1.0000 5.0000 0.0000 window\\play\n"
      "Text 0.6000 0.2400 0.0000 0.4300 0.2000 2 2 0\n"
      "Color -65535\n"
      "COLOR 77\n");
  const KTextProperties& tp = *doc->pendingTextProperties;
  EXPECT_EQ(tp.labelFont.faceName, "Times New Roman");
  EXPECT_EQ(tp.labelFont.weight, 100);
  EXPECT_EQ(tp.labelFont.charSet, 1);
  EXPECT_DOUBLE_EQ(tp.markHeight, 1);
  EXPECT_DOUBLE_EQ(tp.markWidth, 5);
  EXPECT_EQ(tp.markName, "window\\play");
  EXPECT_DOUBLE_EQ(tp.labelHeight, 0.6);
  EXPECT_DOUBLE_EQ(tp.labelWidth, 0.24);
  EXPECT_DOUBLE_EQ(tp.labelOffsetX, 0.43);
  EXPECT_DOUBLE_EQ(tp.labelOffsetY, 0.2);
  EXPECT_EQ(tp.labelColour, -65535);
  // At most four lines: a fifth is read by the dispatcher.
  EXPECT_EQ(doc->currentColour, 77);
}

TEST(TextProperties, MarkNameNeedsAllFourValues) {
  auto doc = ReadDrawing("TEXTP\nMark 2 3\n\n");
  const KTextProperties& tp = *doc->pendingTextProperties;
  EXPECT_DOUBLE_EQ(tp.markHeight, 2);
  EXPECT_DOUBLE_EQ(tp.markWidth, 3);
  EXPECT_EQ(tp.markName, "");
}

TEST(TextProperties, Rejections) {
  const std::string rejected[] = {
      "TEXTP\n\n",                 // empty block
      "TEXTP\n Mark 1 1 0 s\n\n",  // first line starts with a blank
      "TEXTP\nHello\n\n",          // not a property word, ending its line
      "TEXTP\nHello there\n\n",    // not a property word
      "TEXTP\nColor ",             // input ends at the colour
      "TEXTP\nMark 1 1 0 s\n",     // input ends before the block does
  };
  for (const std::string& text : rejected) {
    auto doc = ReadDrawing(text);
    EXPECT_EQ(doc->pendingTextProperties->markName, "") << text;
    EXPECT_DOUBLE_EQ(doc->pendingTextProperties->markHeight, 5.0) << text;
    EXPECT_FALSE(doc->readIssues.empty()) << text;
  }
}

}  // namespace
