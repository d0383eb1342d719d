// The SEG-Y panel on generated files: the header dump, format and table
// cells, the parameter and positions files, and what failures leave.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <string>
#include <vector>

#include "model/document/elements.h"
#include "model/document/ktext_properties.h"
#include "window/segy/ksegy_analysis.h"
#include "window/segy/segy_panel_layout.h"
#include "tests/support/file_bytes.h"
#include "tests/support/result_checks.h"
#include "tests/support/segy_data.h"
#include "tests/support/temp_dir.h"

namespace {

struct Cell {
  std::string text;
  int style, row;
  bool operator==(const Cell&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Cell& c) {
  return out << '"' << c.text << "\" style " << c.style << " row " << c.row;
}

Cell CellAt(const KSegyAnalysis& panel, std::size_t index) {
  const KEntry& e = *panel.entries.at(index);
  const KPointText& p = *e.As<KPointText>();
  const int style = e.layer == panel.buttonLayer ? 1 : e.layer == panel.editLayer ? 2 : 3;
  return {std::string(p.label.view()), style, static_cast<int>(std::lround(-p.y / 1.1))};
}

class SegyPanelTest : public ::testing::Test {
protected:
  std::string Out(const char* name) const { return dir.File(name); }
  TempDir dir;
  KSegyAnalysis panel;
};

TEST_F(SegyPanelTest, DumpFormatAndTableCells) {
  ASSERT_TRUE(panel.Create(GeneratedSegy("be_ibm.sgy")));
  // 240 dump rows of two cells, format and count (4), 6 table rows of 4, 4 headings.
  ASSERT_EQ(panel.entries.size(), 512u);
  const struct {
    std::size_t index;
    Cell cell;
  } want[] = {
      {0, {"0", 1, 0}},
      {16, {" n", 3, 2}},
      {17, {"101", 2, 2}},
      {40, {" m", 3, 5}},
      {41, {"875", 2, 5}},
      {144, {" x", 3, 18}},
      {145, {"6201972", 2, 18}},
      {152, {" y", 3, 19}},
      {153, {"60742329", 2, 19}},
      {229, {"659360", 2, 28}},     // bytes 115-118: 10 samples, 4000 us
      {479, {"12656640", 2, 59}},   // byte 240 onwards: the first sample, -2 as IBM float
      {480, {"32-bit,32 IBM float", 2, -1}},
      {481, {"1", 3, -1}},
      {482, {"num", 1, -1}},
      {483, {"10", 2, -1}},
      {484, {"875", 1, 0}},
      {485, {"101", 1, 0}},
      {486, {"6201972", 2, 0}},
      {487, {"60742329", 2, 0}},
      {504, {"880", 1, 5}},
      {507, {"60742364", 2, 5}},
      {508, {"m", 1, -1}},
      {511, {"y", 2, -1}},
  };
  for (const auto& w : want) EXPECT_EQ(CellAt(panel, w.index), w.cell) << "cell " << w.index;
}

TEST_F(SegyPanelTest, EveryByteOrderShowsTheSameHeaders) {
  ASSERT_TRUE(panel.Create(GeneratedSegy("be_ibm.sgy")));
  std::vector<Cell> big;
  for (std::size_t i = 0; i < panel.entries.size(); ++i) big.push_back(CellAt(panel, i));
  // Binary header little-endian, trace headers big-endian: only the format
  // cells and the dump words reaching into the samples (bytes 238-243) differ.
  ASSERT_TRUE(panel.Create(GeneratedSegy("mixed_order.sgy")));
  ASSERT_EQ(panel.entries.size(), big.size());
  for (std::size_t i = 0; i < big.size(); ++i) {
    if (i >= 474 && i < 482) continue;
    EXPECT_EQ(CellAt(panel, i), big[i]) << "cell " << i;
  }
  // All little-endian: the fields and the table read the same.
  ASSERT_TRUE(panel.Create(GeneratedSegy("le_ieee.sgy")));
  ASSERT_EQ(panel.entries.size(), big.size());
  for (std::size_t i : {17, 41, 145, 153})
    EXPECT_EQ(CellAt(panel, i), big[i]) << "cell " << i;
  for (std::size_t i = 482; i < big.size(); ++i) EXPECT_EQ(CellAt(panel, i), big[i]) << "cell " << i;
  EXPECT_EQ(panel.Table().front().m, 875);
}

TEST(SegyPanelLayout, ColumnsKeepTheirPlaceUntilOneBeforeThemGrows) {
  const std::vector<KPanelColumn> placed = PlaceColumns({{0, 2, 1}, {2, 5, 7}, {7, 2, 0}, {20, 5, 5.5}});
  const double want[][2] = {{0, 2}, {2, 7}, {9, 2}, {20, 5.5}};
  ASSERT_EQ(placed.size(), 4u);
  for (std::size_t i = 0; i < 4; ++i) {
    EXPECT_EQ(placed[i].x, want[i][0]) << i;
    EXPECT_EQ(placed[i].width, want[i][1]) << i;
  }
  EXPECT_EQ(PlaceColumns({{30, 2, 0}}, 31.5)[0].x, 31.5);
}

// Every cell is as wide as its text needs, and no two cells of a row
// overlap: a long text is never covered by the next cell.
TEST_F(SegyPanelTest, CellsFitTheirTextsAndNeverOverlap) {
  for (const char* file : {"be_ibm.sgy", "extreme_values.sgy"}) {
    SCOPED_TRACE(file);
    ASSERT_TRUE(panel.Create(GeneratedSegy(file)));
    std::map<int, std::vector<std::pair<double, double>>> rows;  // row: [x, end) of its cells
    for (std::size_t i = 0; i < panel.entries.size(); ++i) {
      const KPointText& p = *panel.entries[i]->As<KPointText>();
      const KTextProperties& properties = *panel.entries[i]->EffectiveTextProperties();
      EXPECT_GE(properties.markWidth, CellWidthFor(p.label.view(), properties)) << "cell " << i;
      rows[static_cast<int>(std::lround(-p.y / 1.1))].push_back({p.x, p.x + properties.markWidth});
    }
    for (auto& [row, cells] : rows) {
      std::sort(cells.begin(), cells.end());
      for (std::size_t k = 1; k < cells.size(); ++k)
        EXPECT_LE(cells[k - 1].second, cells[k].first + 1e-9) << "row " << row << " cell at " << cells[k].first;
    }
  }
  // The format text's cell grew: "num" starts where it ends.
  ASSERT_TRUE(panel.Create(GeneratedSegy("be_ibm.sgy")));
  const double formatEnd = 2 + CellWidthFor("32-bit,32 IBM float", *panel.entries[480]->EffectiveTextProperties());
  EXPECT_GT(formatEnd, 7);
  EXPECT_DOUBLE_EQ(panel.entries[482]->As<KPointText>()->x, formatEnd);
}

TEST_F(SegyPanelTest, ParameterFileAndPositionsAreExact) {
  ASSERT_TRUE(panel.Create(GeneratedSegy("mixed_order.sgy")));
  ASSERT_TRUE(panel.Write(Out("p.txt")));
  EXPECT_EQ(ReadFileBytes(Out("p.txt")), "[Parameter]\nx=72\ny=76\nm=20\nn=8\n\n");
  ASSERT_TRUE(panel.WriteXY(Out("xy.txt"), 1e30));
  EXPECT_EQ(ReadFileBytes(Out("xy.txt")), SegyPositionsText(GeneratedSegy("be_ibm.sgy")));
  EXPECT_EQ(ReadFileBytes(Out("xy.txt")).substr(0, 28), "\npline.101\n6201972,60742329\n");
  ASSERT_TRUE(panel.WriteXY(Out("xy.txt"), 0));
  EXPECT_EQ(ReadFileBytes(Out("xy.txt")), "\n");
}

TEST_F(SegyPanelTest, CutAndEmptyFilesAndFailures) {
  // The first header cut after byte 100: the words it does not hold show "-".
  ASSERT_TRUE(panel.Create(GeneratedSegy("cut_after_first_xy.sgy")));
  EXPECT_STREQ(panel.GetPoint(2 * 96 + 1), "0");
  EXPECT_STREQ(panel.GetPoint(2 * 97 + 1), "-");
  EXPECT_EQ(panel.Table().size(), 1u);
  ASSERT_TRUE(panel.Create(GeneratedSegy("header_only.sgy")));
  EXPECT_TRUE(panel.Table().empty());
  EXPECT_STREQ(panel.GetPoint(1), "-");
  EXPECT_EQ(panel.Warnings().size(), 1u);
  EXPECT_TRUE(FailedWith(panel.Create(GeneratedSegy("format_0.sgy")), KStatus::kBadInput, {"format_0.sgy"}));
  EXPECT_TRUE(panel.entries.empty());
  EXPECT_EQ(panel.WriteXY(Out("none/xy.txt")).status(), KStatus::kBadInput);
  ASSERT_TRUE(panel.Create(GeneratedSegy("be_ibm.sgy")));
  EXPECT_TRUE(FailedWith(panel.WriteXY(Out("none/xy.txt")), KStatus::kCannotWrite, {"none/xy.txt"}));
  EXPECT_EQ(KSegyAnalysis().WriteXY(Out("xy.txt")).status(), KStatus::kRefused);
}

}  // namespace
