// The writer's exact output: the number formats, and the bytes of small
// documents built in code.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <random>
#include <vector>
#include <memory>
#include <string>
#include <tuple>

#include "model/document/elements.h"
#include "model/document/kones.h"
#include "io/document/writer.h"
#include "io/document/writer_parts.h"
#include "model/grid/kxyz_list.h"
#include "tests/support/curve_builder.h"

namespace {

std::string Written(KOnes& doc) {
  KStringOutput out;
  WriteDocument(out, doc);
  return out.text;
}

std::unique_ptr<KCurve> Curve(const PointList& points, int closure = kOpen) {
  return std::make_unique<KCurve>(MakeCurve(points, closure));
}

TEST(WriterNumber, TenDecimalsWithoutTrailingZeros) {
  const std::pair<double, const char*> cases[] = {
      {1.5, "1.5"},   {2.0, "2"},   {0.0, "0"},         {-0.0, "0"},
      {-2.25, "-2.25"}, {100.0, "100"}, {0.1, "0.1"},     {1.0 / 3.0, "0.3333333333"},
      {2.0 / 3.0, "0.6666666667"}, {1e-11, "0"}, {123456789.125, "123456789.125"}, {1e20, "100000000000000000000"}};
  for (const auto& [value, text] : cases) EXPECT_EQ(FormatNumber(value), text) << value;
  // The largest double still fits, with no padding in front.
  EXPECT_EQ(FormatNumber(1.7976931348623157e308).size(), 309u);
  EXPECT_EQ(FormatFixed6(1.5), "1.500000");
  EXPECT_EQ(FormatFixed6(-0.0000004), "-0.000000");
}

TEST(WriterNumber, SameDigitsAsPrintfInTheCLocale) {
  // The formats are defined by printf; check a spread of magnitudes and
  // values that sit on rounding boundaries.
  std::mt19937_64 random(7);
  std::uniform_real_distribution<double> mantissa(-10.0, 10.0);
  std::uniform_int_distribution<int> exponent(-14, 18);
  std::vector<double> values = {0.5e-10, 1.5e-10, 2.5e-6, 0.125, 1e15 + 0.3, 4503599627370497.0, -1e-300};
  for (int i = 0; i < 20000; ++i) values.push_back(mantissa(random) * std::pow(10.0, exponent(random)));
  char ten[512], six[512];
  for (double v : values) {
    std::snprintf(ten, sizeof ten, "%11.10lf", v + 5e-121);
    std::snprintf(six, sizeof six, "%lf", v);
    std::string expected = ten;
    while (expected.back() == '0') expected.pop_back();
    if (expected.back() == '.') expected.pop_back();
    ASSERT_EQ(FormatNumber(v), expected) << v;
    ASSERT_EQ(FormatFixed6(v), six) << v;
  }
}

TEST(WriterBytes, EmptyDocumentWritesNothing) {
  KOnes doc;
  EXPECT_EQ(Written(doc), "");
  EXPECT_EQ(doc.CurrentLayer(), nullptr);
}

TEST(WriterBytes, OneLayerZeroGetsOneLayerLine) {
  KOnes doc;
  doc.AddEntry(kKindPolyline, Curve({{0, 0}, {1, 0}}));
  auto point = std::make_unique<KPointText>();
  point->x = 1.5;
  point->y = -2;
  point->z = 3;
  point->label = "W-1";
  doc.AddEntry(kKindPoint, std::move(point));
  KLayer* zero = doc.CurrentLayer();
  doc.SetCurrentLayer(nullptr);
  EXPECT_EQ(Written(doc),
            "layer m 0 \r\n"
            "PLINE\r\n0,0\r\n1,0\r\n\r\n\r\n"
            "point 1.500000,-2.000000,3.000000 W-1\r\n");
  // The last written layer is current afterwards.
  EXPECT_EQ(doc.CurrentLayer(), zero);
}

TEST(WriterBytes, FilledFourVertexPolyline) {
  KOnes doc;
  doc.AddEntry(kKindPolyline, Curve({{0, 0}, {2.5, 0}, {2.5, 1}, {0, 1}}, kFilled));
  EXPECT_EQ(Written(doc), "layer m 0 \r\nPLINE\r\n0,0\r\n2.5,0\r\n2.5,1\r\n0,1\r\nS\r\n\r\n");
}

TEST(WriterBytes, CodeSevenWithoutClosure) {
  KOnes doc;
  auto c = Curve({{0, 0}, {1, 1}});
  c->SetCode(7);
  doc.AddEntry(kKindPolyline, std::move(c));
  EXPECT_EQ(Written(doc), "layer m 0 \r\nPLINE\r\n0,0\r\n1,1\r\ncode 7\r\n\r\n\r\n");
}

TEST(WriterBytes, PolylineNameDimensionWidthAndMarkers) {
  KStringOutput out;
  auto c = Curve({{0, 0}, {3, 4}}, kSplineClosed);
  c->SetName("EDGE");
  c->dimension = 4;
  c->z()[1] = 7.25;
  c->SetWidth(0.5);
  WritePolyline(out, *c);
  EXPECT_EQ(out.text, "PLINE.EDGE\r\n0,0,0,0\r\n3,4,7.25,5\r\nW 0.5\r\nBC\r\n\r\n");
  // A curve built without a dimension still gets x and y on every line, and
  // a name is cut at the first blank (the reader takes one word).
  out.text.clear();
  c = Curve({{1, 2}, {3, 4}});
  c->dimension = 0;
  c->SetName("A S");
  WritePolyline(out, *c);
  EXPECT_EQ(out.text, "PLINE.A\r\n1,2\r\n3,4\r\n\r\n\r\n");
}

TEST(WriterBytes, StepWithRunCountThree) {
  KOnes doc;
  auto steps = std::make_unique<KStepList>();
  KStep step;
  step.runCount = 3;
  step.command = "notepad x.txt";
  step.hasCommand = true;
  steps->steps.push_back(step);
  doc.AddEntry(kKindStepList, std::move(steps));
  EXPECT_EQ(Written(doc), "#0003 notepad x.txt\n''\n");
}

TEST(WriterBytes, StepKinds) {
  KStepList list;
  KStep plain;
  plain.command = "calc";
  plain.hasCommand = true;
  KStep remark;
  remark.remark = "Heading";
  remark.hasRemark = true;
  remark.comment = "about it";
  remark.hasComment = true;
  KStep empty;
  empty.hasComment = true;
  KStep quoted;
  quoted.command = "'not a comment";
  quoted.hasCommand = true;
  list.steps = {plain, remark, empty, quoted};
  KStringOutput out;
  WriteStepList(out, list);
  // The comment goes before the remark so it stays on that step; an empty
  // step is an empty line; a command that would read as a comment keeps
  // its run count.
  EXPECT_EQ(out.text, "calc\n'about it\nrem Heading\n\n#0000 'not a comment\n''\n");
}

// The text WriteElement gives for record as an entry of kind.
std::string ElementText(int kind, std::unique_ptr<KRecord> record) {
  KEntry entry;
  entry.kind = kind;
  entry.record = std::move(record);
  KStringOutput out;
  WriteElement(out, entry);
  return out.text;
}

TEST(WriterBytes, ElementLines) {
  auto insert = std::make_unique<KInsert>();
  insert->blockName = "well\\sym";
  std::tie(insert->x, insert->y, insert->ySize, insert->xSize, insert->angle) = std::tuple(1, 2, 3, 4, 45);
  EXPECT_EQ(ElementText(kKindInsert, std::move(insert)),
            "Insert well\\sym 1.000000,2.000000 3.000000 4.000000 45.000000\r\n");

  const auto text = [](double width, const std::string& face) {
    auto t = std::make_unique<KText>();
    std::tie(t->x, t->y, t->height, t->width, t->angle) = std::tuple(1, 2, 2.5, width, 10);
    t->text = "two words";
    if (!face.empty()) t->font.weight = 700;
    t->font.faceName = face;
    return t;
  };
  EXPECT_EQ(ElementText(kKindText, text(1, "")), "text 1.000000,2.000000 2.500000 10.000000 two words\r\n");
  // Read from FONT, or with a width or font a text line cannot say.
  EXPECT_EQ(ElementText(kKindText, text(3, "Courier New")),
            "FONT 1,2\r\ntwo words\r\n3 2.5 10 0 700 0 0 0 0 0 0 0 0 Courier New\r\n");

  auto bitmap = std::make_unique<KBmpIn>();
  bitmap->fileName = "map.png";
  bitmap->mode = 2;
  std::tie(bitmap->x, bitmap->y, bitmap->width, bitmap->height) = std::tuple(-1, 2, 10, 5.5);
  EXPECT_EQ(ElementText(kKindBitmap, std::move(bitmap)), "BMPIN map.png 2\r\n-1,2\r\n9,7.5\r\n");

  auto logo = std::make_unique<KLogo>();
  std::tie(logo->x, logo->y, logo->height, logo->width, logo->angle) = std::tuple(5, 6, 2, 3, 0);
  EXPECT_EQ(ElementText(kKindLogo, std::move(logo)), "LOGO 5,6 2 3 0\r\n");
}

TEST(WriterBytes, XyzListBetweenKeywordAndEmptyLine) {
  KXyzList list;
  list.Add({-7, 8, 1234.6, 1.0, 12});
  list.Add({0.5, -0.25, 0, 2.5, 0});
  KStringOutput out;
  list.Write(out);
  EXPECT_EQ(out.text, "XYZ\r\n-7,8,1234.6,1,12\n0.5,-0.25,0,2.5,0\n\r\n");
}

TEST(WriterBytes, ColourAndLayerLinesOnlyWhereTheyChange) {
  KOnes doc;
  doc.AddEntry(kKindPolyline, Curve({{0, 0}, {1, 0}}));
  doc.currentColour = -255;
  doc.AddEntry(kKindPolyline, Curve({{0, 0}, {2, 0}}));
  doc.AddEntry(kKindPolyline, Curve({{0, 0}, {3, 0}}));
  doc.SelectLayer("hidden");
  doc.CurrentLayer()->state = kNotViewNotEdit;
  doc.AddEntry(kKindPolyline, Curve({{0, 0}, {4, 0}}));
  doc.SelectLayer("0");
  doc.AddEntry(kKindPolyline, Curve({{0, 0}, {5, 0}}));
  const std::string text = Written(doc);
  EXPECT_EQ(text,
            "layer m 0 \r\nPLINE\r\n0,0\r\n1,0\r\n\r\n\r\n"
            "Color -255\r\nPLINE\r\n0,0\r\n2,0\r\n\r\n\r\n"
            "PLINE\r\n0,0\r\n3,0\r\n\r\n\r\n"
            "layer m hidden \r\nlayer NotViewNotEdit\r\nPLINE\r\n0,0\r\n4,0\r\n\r\n\r\n"
            "layer m 0 \r\nPLINE\r\n0,0\r\n5,0\r\n\r\n\r\n");
}

TEST(WriterBytes, BlocksFirstThenEntries) {
  KOnes doc;
  auto outer = std::make_unique<KOnes>();
  auto inner = std::make_unique<KOnes>();
  inner->AddEntry(kKindPolyline, Curve({{0, 0}, {1, 1}}));
  outer->AddBlock("inner", std::move(inner));
  doc.AddBlock("sym\\outer", std::move(outer));
  auto point = std::make_unique<KPointText>();
  doc.AddEntry(kKindPoint, std::move(point));
  // A block holding only a block is written, with the block inside it.
  EXPECT_EQ(Written(doc),
            "new sym\\outer\r\n"
            "new inner\r\nlayer m 0 \r\nPLINE\r\n0,0\r\n1,1\r\n\r\n\r\nendnew \r\n"
            "endnew \r\n"
            "layer m 0 \r\npoint 0.000000,0.000000,0.000000 \r\n");
}

}  // namespace
