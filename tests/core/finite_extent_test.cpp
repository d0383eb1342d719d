// Coordinates at infinity, and finite coordinates near the ends of the
// doubles, for every kind placed by coordinates: a value that is not finite
// is a read issue that drops its element (or its x, y, z point, or its curve
// group); what stays gives a finite extent, so the summary never prints null.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "model/document/document_summary.h"
#include "io/document/open_document.h"
#include "platform/files/byte_source.h"
#include "window/editor/quarvel_window.h"

namespace {

enum class Format { kDrawing, kCurves, kSteps };

struct PlacementCase {
  const char* name;
  std::string text;
  Format format;
  std::size_t entries;   // entries kept
  const char* issue;     // the reason of the one read issue, or "" for none
};

class FinitePlacement : public ::testing::TestWithParam<PlacementCase> {};

TEST_P(FinitePlacement, KeepsTheExtentFinite) {
  const PlacementCase& c = GetParam();
  QuarvelWindow window;
  KByteSource src = KByteSource::FromMemory(c.text);
  switch (c.format) {
    case Format::kDrawing: ReadTextFrom(window, src); break;
    case Format::kCurves: ReadCurvesFrom(window, src); break;
    case Format::kSteps: ReadStepFrom(window, src); break;
  }
  window.ComputeExtent();
  EXPECT_EQ(window.entries.size(), c.entries);
  if (*c.issue) {
    ASSERT_EQ(window.ReadIssues().size(), 1u);
    EXPECT_NE(window.ReadIssues()[0].why.find(c.issue), std::string::npos) << window.ReadIssues()[0].why;
  } else {
    EXPECT_TRUE(window.ReadIssues().empty());
  }
  for (double bound : {window.minX, window.maxX, window.minY, window.maxY}) EXPECT_TRUE(std::isfinite(bound));
  EXPECT_EQ(SummaryText(Summarize(window, window)).find("null"), std::string::npos) << SummaryText(Summarize(window, window));
}

const char* kNotFinite = "is not a finite number";

INSTANTIATE_TEST_SUITE_P(
    Kinds, FinitePlacement,
    ::testing::Values(
        PlacementCase{"Point", "POINT 1e999,0 a\nPOINT 1,1 b\n", Format::kDrawing, 1, kNotFinite},
        PlacementCase{"PointNan", "POINT nan,0,1 a\n", Format::kDrawing, 0, kNotFinite},
        PlacementCase{"Text", "text 0,0 1e999 0 hi\n", Format::kDrawing, 0, kNotFinite},
        PlacementCase{"Insert", "Insert b 1,inf 1 1 0\n", Format::kDrawing, 0, kNotFinite},
        PlacementCase{"BitmapCornersTooFarApart", "BMPIN x.png 3\n1e308,0\n-1e308,20\n\n", Format::kDrawing, 0, kNotFinite},
        PlacementCase{"Logo", "LOGO 5,6 2 inf 10\n", Format::kDrawing, 0, kNotFinite},
        PlacementCase{"XyzPoint", "Layer M f(x,y)\\xyz\nXYZ\n1e999,0,1\n0,10,2\n\n", Format::kDrawing, 1, kNotFinite},
        // A list left with no point adds nothing and is reported once, as dropped points.
        PlacementCase{"XyzEveryPoint", "XYZ\n1e999,0,1\n0,inf,2\n\n", Format::kDrawing, 0, kNotFinite},
        PlacementCase{"XyzHuge", "Layer M f(x,y)\\xyz\nXYZ\n1e308,-1e308,1\n-1e308,1e308,2\n\n", Format::kDrawing, 1, ""},
        PlacementCase{"PointsAndTextsHuge", "POINT 1e308,-1e308 a\ntext -1e308,1e308 1e300 0 t\n", Format::kDrawing, 2, ""},
        PlacementCase{"CurveGroup", "G\n1e999,0\n1,1\n1 2 3 4\n\nH\n", Format::kCurves, 1, kNotFinite},
        PlacementCase{"CurveGroupHeader", "G\n0,0\n1,1\n1 2 inf 4\n\nH\n", Format::kCurves, 1, kNotFinite},
        PlacementCase{"CurveGroupsHuge", "G\n0,0\n1,1\n1 2 1e308 4\n0,0\n1,1\n1 2 -1e308 -1e308\nH\n", Format::kCurves, 1, ""},
        PlacementCase{"StepChart", "#99999 a\n''\n", Format::kSteps, 1, ""}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
