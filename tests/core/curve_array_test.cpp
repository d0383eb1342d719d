// Curve files (groups of curves) over file and memory sources, curve arrays
// made from a drawing's polylines, and the nearest element of an array.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "model/curves/kcurve_array.h"
#include "io/document/open_document.h"
#include "io/document/record_readers.h"
#include "tests/support/curve_builder.h"
#include "tests/support/file_bytes.h"
#include "tests/support/reading.h"

namespace {

const std::string kData = QUARVEL_TEST_DATA;

class CurveFile : public ReaderTest {
protected:
  std::unique_ptr<KCurveArray> Curves(const std::string& text) {
    in = &Input(text);
    return ReadCurveFile(in->ctx);
  }
  ElementInput* in = nullptr;
};
INSTANTIATE_READER_TEST(CurveFile);

const KCurveGroup& GroupAt(const KCurveArray& a, int i) {
  return dynamic_cast<const KCurveGroup&>(*a.elements.at(static_cast<std::size_t>(i)));
}

TEST_P(CurveFile, GroupsPairHeaderLinesWithThePointsBeforeThem) {
  auto array = Curves(ReadFileBytes(kData + "/curves_two_groups.kcx"));
  ASSERT_EQ(array->Count(), 2);

  const KCurveGroup& faults = GroupAt(*array, 0);
  EXPECT_EQ(faults.name(), "Faults");
  EXPECT_EQ(faults.dimension, 2);
  ASSERT_EQ(faults.count, 2);
  // Header numbers in file order are s, z, x, y.
  EXPECT_EQ((std::vector<double>{faults.x()[0], faults.y()[0], faults.z()[0], faults.s()[0]}),
            (std::vector<double>{100, 200, 20, 10}));
  EXPECT_EQ(faults.x()[1], 101);
  EXPECT_EQ(faults.s()[1], 11);
  ASSERT_EQ(faults.curves.size(), 2u);

  const KCurve& first = *faults.curves[0];
  ASSERT_EQ(first.count, 3);
  EXPECT_EQ(first.x()[2], 3);
  EXPECT_EQ(first.y()[2], 1);
  EXPECT_EQ(first.z()[1], 0);
  EXPECT_EQ(first.dimension, 2);
  EXPECT_DOUBLE_EQ(first.s()[2], 2 * std::sqrt(2.0));
  // A header line names the curve whose points follow it.
  EXPECT_EQ(first.name(), "");
  EXPECT_EQ(faults.curves[1]->name(), "10");
  EXPECT_EQ(faults.curves[1]->count, 2);

  const KCurveGroup& wells = GroupAt(*array, 1);
  EXPECT_EQ(wells.name(), "Wells");
  ASSERT_EQ(wells.count, 1);
  EXPECT_EQ(wells.x()[0], 300);
  EXPECT_EQ(wells.y()[0], 400);
  ASSERT_EQ(wells.curves.size(), 1u);
  EXPECT_DOUBLE_EQ(wells.curves[0]->s()[1], 4);
}

TEST_P(CurveFile, GroupsCompleteOnlyAtAFinishedSingleWordLine) {
  // Without a single-word line after it, the only group never completes.
  EXPECT_EQ(Curves("G\n1,1\n2,2\n1 2 3 4\n")->Count(), 0);
  EXPECT_EQ(in->issues.size(), 1u);
  // A last line without line feed is not read either.
  EXPECT_EQ(Curves("G\n1,1\n2,2\n1 2 3 4\nEnd")->Count(), 0);
  EXPECT_EQ(Curves("G\n1,1\n2,2\n1 2 3 4\nEnd\n")->Count(), 1);
  EXPECT_EQ(Curves("")->Count(), 0);
  // A group-name line with no header pending completes nothing.
  EXPECT_EQ(Curves("G\n1,1\n2,2\nH\n")->Count(), 0);
}

TEST_P(CurveFile, LineClassification) {
  // "1, 2" holds two words, so it is a header line (s = 1, nothing else
  // converts); ",abc" and a line of blanks are group-name lines.
  auto array = Curves("G\n1,1\n2,2\n1, 2\n,abc\n3,3\n4,4\n5 6 7 8\n   \n");
  ASSERT_EQ(array->Count(), 2);
  const KCurveGroup& g = GroupAt(*array, 0);
  EXPECT_EQ(g.name(), "G");
  ASSERT_EQ(g.count, 1);
  EXPECT_EQ((std::vector<double>{g.s()[0], g.z()[0], g.x()[0]}), (std::vector<double>{1, 0, 0}));
  EXPECT_EQ(g.curves[0]->count, 2);
  EXPECT_EQ(GroupAt(*array, 1).name(), ",abc");
  EXPECT_EQ(GroupAt(*array, 1).x()[0], 7);

  // A header whose first word is not a number gives no values.
  array = Curves("G\n1,1\n2,2\nF1 5 6 7 8\nEnd\n");
  ASSERT_EQ(array->Count(), 1);
  EXPECT_EQ(GroupAt(*array, 0).s()[0], 0);
  EXPECT_EQ(GroupAt(*array, 0).y()[0], 0);
}

TEST_P(CurveFile, GroupNamesAndSurplusHeaders) {
  // Two group-name lines in a row: the second renames the group.
  auto array = Curves("First\nSecond\n1,1\n2,2\n1 2 3 4\nEnd\n");
  ASSERT_EQ(array->Count(), 1);
  EXPECT_EQ(GroupAt(*array, 0).name(), "Second");

  // Two headers for one completed curve: the second is dropped.
  array = Curves("G\n1,1\n2,2\n1 2 3 4\n5 6 7 8\nEnd\n");
  ASSERT_EQ(array->Count(), 1);
  const KCurveGroup& g = GroupAt(*array, 0);
  ASSERT_EQ(g.count, 1);
  EXPECT_EQ(g.x()[0], 3);
  EXPECT_EQ(g.y()[0], 4);
  EXPECT_EQ(g.curves.size(), 1u);
}

TEST_P(CurveFile, GroupPositionsComeFromTheirHeaderNumbers) {
  auto array = Curves("G\n1,1\n2,2\n100 0 0 0\n3,3\n4,4\n200 0 10 0\nEnd\n");
  ASSERT_EQ(array->Count(), 1);
  std::string name;
  double position = 0;
  int index = -1;
  EXPECT_DOUBLE_EQ(array->PointDistance(2.5, 1, name, position, index), 1);
  EXPECT_EQ(index, 0);
  EXPECT_EQ(name, "G");
  EXPECT_DOUBLE_EQ(position, 125);
}

TEST(CurveArrayCreate, KeepsTopLevelPolylinesOnly) {
  KCurveArray array;
  ASSERT_TRUE(ReadCurveArray(array, kData + "/polylines_mixed.qvd").ok());
  ASSERT_EQ(array.Count(), 3);
  // Names come from the upper-cased keyword token.
  EXPECT_EQ(array.elements[0]->name(), "FAULT_A");
  EXPECT_EQ(array.elements[1]->name(), "MIXEDCASE");
  EXPECT_EQ(array.elements[1]->count, 3);
  EXPECT_DOUBLE_EQ(array.elements[1]->s()[2], 12);
  // CURVEEMBELLISH is not a curve: the polyline after the block keeps its name.
  EXPECT_EQ(array.elements[2]->name(), "AFTEREMBELLISH");

  // An overlong word is no keyword.
  TempDir dir;
  const KResult read = ReadCurveArray(
      array, dir.Write("long.qvd", "PLINE.LONG" + std::string(3000, 'A') + "\n0,0\n1,1\n\nPline.Short\n5,5\n6,6\n\n"));
  ASSERT_TRUE(read.ok()) << read.message();
  ASSERT_EQ(array.Count(), 1);
  EXPECT_EQ(array.elements[0]->name(), "SHORT");
}

TEST(CurveArrayCreate, NothingUsableLeavesTheArrayUnchanged) {
  KCurveArray array;
  array.Create(2);
  EXPECT_EQ(ReadCurveArray(array, kData + "/polylines_in_blocks.qvd").status(), KStatus::kBadInput);
  EXPECT_EQ(array.Count(), 2);
  EXPECT_EQ(ReadCurveArray(array, kData + "/no such file.qvd").status(), KStatus::kCannotOpen);
  EXPECT_EQ(array.Count(), 2);

  ASSERT_TRUE(ReadCurveArray(array, kData + "/polylines_mixed.qvd").ok());
  auto kept = array.elements[0];
  EXPECT_FALSE(ReadCurveArray(array, kData + "/polylines_in_blocks.qvd").ok());
  EXPECT_EQ(array.elements[0], kept);
}

TEST(CurveArrayPointDistance, NearestElementTiesAndEmptySlots) {
  KCurveArray array;
  std::string name = "unchanged";
  double position = -7;
  int index = -3;
  EXPECT_EQ(array.PointDistance(0, 0, name, position, index), 1e300);
  EXPECT_EQ(name, "unchanged");
  EXPECT_EQ(position, -7);
  EXPECT_EQ(index, -3);

  // Slots reserved by Create(int) hold nothing and are passed over.
  array.Create(1);
  EXPECT_EQ(array.PointDistance(0, 0, name, position, index), 1e300);
  EXPECT_EQ(index, -3);

  const std::pair<double, const char*> lines[] = {{1, "A"}, {-1, "B"}, {5, "C"}};
  for (const auto& [y, n] : lines)
    array.elements.push_back(std::make_shared<KCurve>(MakeCurve({{0, y}, {10, y}}, kOpen, n)));
  EXPECT_DOUBLE_EQ(array.PointDistance(4, 0, name, position, index), 1);
  EXPECT_EQ(index, 1);  // equal distances: the lower index
  EXPECT_EQ(name, "A");
  EXPECT_DOUBLE_EQ(position, 4);

  EXPECT_DOUBLE_EQ(array.PointDistance(13, 5, name, position, index), 3);
  EXPECT_EQ(index, 3);
  EXPECT_EQ(name, "C");
  EXPECT_DOUBLE_EQ(position, 20);  // beyond the end: twice the length
}

}  // namespace
