// The window's open entry points and the document extent.
#include <gtest/gtest.h>

#include <string>

#include "io/document/open_document.h"
#include "model/curves/kcurve_array.h"
#include "model/document/elements.h"
#include "platform/files/byte_source.h"
#include "tests/support/temp_dir.h"
#include "window/editor/document_kind.h"
#include "window/editor/quarvel_window.h"

namespace {

// Opening the same bytes under a name shows which reader the name chose.
int FirstKindFor(const std::string& name) {
  // Reads as a drawing (a polyline), a step file (a step list first) or a
  // curve file (one curve array).
  TempDir dir;
  QuarvelWindow window;
  EXPECT_EQ(window.OnOpenDocument(dir.Write(name, "PLINE\n0,0\n1,1\n\n")), 1) << name;
  return window.entries.empty() ? -1 : window.entries[0]->kind;
}

TEST(OpenByExtension, ExtensionChoosesTheReader) {
  for (const char* name : {"a.kcx", "a.KCX", "a.kcxold"}) EXPECT_EQ(FirstKindFor(name), kKindCurveArray) << name;
  for (const char* name : {"a.step", "a.STEP", "a.STEP1"}) EXPECT_EQ(FirstKindFor(name), kKindStepList) << name;
  for (const char* name : {"a.qvd", "a.txt", "noextension", "a.kc"}) EXPECT_EQ(FirstKindFor(name), kKindPolyline) << name;
}

// The names refused for a text drawing (convert, Save As) are exactly those
// the readers take for something else.
TEST(OpenByExtension, TextDrawingNamesAgreeWithTheReaders) {
  for (const char* name : {"b.kcx", "b.KCX", "b.kcxold", "b.step", "b.Step1", "b.qvd", "b.kc", "noextension"}) {
    const bool text = FirstKindFor(name) == kKindPolyline;
    EXPECT_EQ(CheckTextDrawingName(std::string("/d/") + name).status(), text ? KStatus::kOk : KStatus::kRefused)
        << name;
  }
}

TEST(OpenByExtension, UnopenableFileReturnsZeroAndChangesNothing) {
  TempDir dir;
  QuarvelWindow window;
  window.OnOpenDocumentMem("LAYER M a\nPLINE\n0,0\n1,1\n\n");
  for (const std::string& path :
       {std::string("/nonexistent/x.qvd"), std::string("/nonexistent/x.step"), std::string("/nonexistent/x.kcx"),
        dir.path() /* a directory */}) {
    EXPECT_EQ(window.OnOpenDocument(path), 0) << path;
    EXPECT_EQ(window.entries.size(), 1u);
    EXPECT_EQ(window.OwnedLayers().size(), 1u);
    EXPECT_DOUBLE_EQ(window.maxX, 1.0);
  }
}

TEST(OpenByExtension, LaterDrawingsGoOnWithTheReadingStateAndShareLayers) {
  TempDir dir;
  QuarvelWindow window;
  window.OnOpenDocument(dir.Write("one.qvd", "LAYER M faults COLOR 9 POINT 1,1 a\n"));
  window.OnOpenDocument(dir.Write("two.qvd", "POINT 2,2 b\nLAYER M other LAYER M faults POINT 3,3 c\n"));
  ASSERT_EQ(window.entries.size(), 3u);
  EXPECT_EQ(window.entries[1]->layer->name, "faults");
  EXPECT_EQ(window.entries[1]->colour, 9);
  EXPECT_EQ(window.entries[2]->layer, window.entries[0]->layer);
}

TEST(OpenMemory, ResultIsTheReaders) {
  QuarvelWindow window;
  EXPECT_EQ(window.OnOpenDocumentMem("PLINE\n2,3\n4,5\n\nENDNEW\nPLINE\n9,9\n10,10\n\n"), 2);
  EXPECT_DOUBLE_EQ(window.minX, 2);
  EXPECT_DOUBLE_EQ(window.maxY, 5);
  EXPECT_EQ(window.OnOpenDocumentMem("POINT 1,1 a\n"), 0);
}

TEST(Extent, CountsPolylinesListsCurveArraysAndStepLists) {
  QuarvelWindow window;
  window.ComputeExtent();
  EXPECT_DOUBLE_EQ(window.minX, 1e300);
  EXPECT_DOUBLE_EQ(window.maxX, -1e300);
  EXPECT_DOUBLE_EQ(window.minY, 1e300);
  EXPECT_DOUBLE_EQ(window.maxY, -1e300);

  // Points, texts, inserts and logos do not count; layer state does not matter.
  window.OnOpenDocumentMem(
      "POINT -100,-100 p\nTEXT 500,500 1 0 t\nINSERT b 900,900 1 1 0\nLOGO -50,0 1 1 0\n");
  EXPECT_DOUBLE_EQ(window.minX, 1e300);
  window.OnOpenDocumentMem("LAYER M hidden LAYER NotViewNotEdit\nPLINE\n1,2\n3,-4\n\nXYZ 10,0,1 -6,7,2\n\n");
  EXPECT_DOUBLE_EQ(window.minX, -6);
  EXPECT_DOUBLE_EQ(window.maxX, 10);
  EXPECT_DOUBLE_EQ(window.minY, -4);
  EXPECT_DOUBLE_EQ(window.maxY, 7);
}

TEST(Extent, StepFileKeepsMinusTwentyAtTheBottom) {
  std::string steps;
  for (int i = 0; i < 25; ++i) steps += "#0001 cmd" + std::to_string(i) + "\n";
  TempDir dir;
  QuarvelWindow window;
  EXPECT_EQ(window.OnOpenDocumentStep(dir.Write("many.step", steps + "''\n")), 1);
  EXPECT_DOUBLE_EQ(window.minX, -4.1);
  EXPECT_DOUBLE_EQ(window.maxX, 20);
  EXPECT_DOUBLE_EQ(window.minY, -20);  // not -25
  EXPECT_DOUBLE_EQ(window.maxY, 2);

  QuarvelWindow plain;
  KByteSource few = KByteSource::FromMemory("a\nb\n''\n");
  ReadStepFrom(plain, few);
  plain.ComputeExtent();
  EXPECT_DOUBLE_EQ(plain.minY, -2);  // the step box itself: minus the step count
}

TEST(Extent, CurveGroupsCountTheirPlacementPointsOnly) {
  // One group of two curves placed at (100, 50) and (300, -20); the curves
  // themselves lie far away and must not widen the extent.
  TempDir dir;
  QuarvelWindow window;
  EXPECT_EQ(window.OnOpenDocumentCurves(dir.Write("groups.kcx", "GroupA\n5000,5000\n6000,6000\n1 0 100 50\n"
                                                              "7000,7000\n8000,8000\n2 0 300 -20\nend\n")),
            1);
  ASSERT_EQ(window.entries.size(), 1u);
  ASSERT_EQ(window.entries[0]->As<KCurveArray>()->Count(), 1);
  EXPECT_DOUBLE_EQ(window.minX, 100);
  EXPECT_DOUBLE_EQ(window.maxX, 300);
  EXPECT_DOUBLE_EQ(window.minY, -20);
  EXPECT_DOUBLE_EQ(window.maxY, 50);
}

}  // namespace
