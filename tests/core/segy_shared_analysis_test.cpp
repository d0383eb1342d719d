// The SEG-Y panel: its cells, the parameter file and the positions file,
// against the outputs computed independently for the shared files.
#include <gtest/gtest.h>

#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

#include "model/document/elements.h"
#include "window/segy/ksegy_analysis.h"
#include "tests/support/file_bytes.h"
#include "tests/support/result_checks.h"
#include "tests/support/segy_data.h"
#include "tests/support/temp_dir.h"

namespace {

// index, text, style, x, y of every cell, as the expected tables give them.
std::vector<std::string> CellLines(const KSegyAnalysis& panel, bool withIndex) {
  std::vector<std::string> lines;
  for (std::size_t i = 0; i < panel.entries.size(); ++i) {
    const KEntry& e = *panel.entries[i];
    const KPointText* p = e.As<KPointText>();
    const int style = e.layer == panel.buttonLayer ? 1 : e.layer == panel.editLayer ? 2 : 3;
    char xy[64];
    std::snprintf(xy, sizeof xy, "%g\t%.1f", p->x, p->y);
    lines.push_back((withIndex ? std::to_string(i) + "\t" : "") + p->label + "\t" + std::to_string(style) + "\t" + xy);
  }
  return lines;
}

std::vector<std::string> ExpectedCells(const std::string& name, bool withIndex) {
  std::istringstream in(ReadFileBytes(SegyData("expected/" + name + ".cells.literal.tsv")));
  std::vector<std::string> lines;
  std::string line;
  std::getline(in, line);
  while (std::getline(in, line)) {
    if (line.find("UNREADABLE") != std::string::npos) continue;  // rows of traces that do not exist
    lines.push_back(withIndex ? line : line.substr(line.find('\t') + 1));
  }
  return lines;
}

class SegySharedPanelTest : public ::testing::Test {
protected:
  std::string Out(const char* name) const { return dir.File(name); }
  TempDir dir;
  KSegyAnalysis panel;
};

// The literal cells, except that "num" and the sample count (cells 482 and
// 483) stand right of a format text longer than its cell.
std::vector<std::string> WithoutCountCells(std::vector<std::string> lines) {
  if (lines.size() > 483) lines.erase(lines.begin() + 482, lines.begin() + 484);
  return lines;
}

TEST_F(SegySharedPanelTest, CellsOfAPlainFileAreTheLiteralOnes) {
  SKIP_WITHOUT_SEGY_DATA();
  ASSERT_TRUE(panel.Create(SegyData("files/f3.sgy")));
  EXPECT_EQ(WithoutCountCells(CellLines(panel, true)), WithoutCountCells(ExpectedCells("f3.sgy", true)));
  EXPECT_GT(panel.entries[482]->As<KPointText>()->x, 7.0);
  // A file of 25 traces shows 25 rows, where the literal reading went on past the end.
  ASSERT_TRUE(panel.Create(SegyData("files/small.sgy")));
  EXPECT_EQ(panel.Table().size(), 25u);
  EXPECT_EQ(WithoutCountCells(CellLines(panel, false)), WithoutCountCells(ExpectedCells("small.sgy", false)));
}

TEST_F(SegySharedPanelTest, ParameterFileAndPositionsAreExact) {
  SKIP_WITHOUT_SEGY_DATA();
  ASSERT_TRUE(panel.Create(SegyData("files/f3.sgy")));
  ASSERT_TRUE(panel.Write(Out("p.txt")));
  EXPECT_EQ(ReadFileBytes(Out("p.txt")), ReadFileBytes(SegyData("expected/parameter.txt")));
  ASSERT_TRUE(panel.WriteXY(Out("xy.txt"), 1e30));
  EXPECT_EQ(ReadFileBytes(Out("xy.txt")), ReadFileBytes(SegyData("expected/f3.sgy.xy.literal.txt")));
  ASSERT_TRUE(panel.WriteXY(Out("xy.txt"), 0));
  EXPECT_EQ(ReadFileBytes(Out("xy.txt")), "\n");
}

TEST_F(SegySharedPanelTest, LittleEndianFilesShowTheirValues) {
  SKIP_WITHOUT_SEGY_DATA();
  ASSERT_TRUE(panel.Create(SegyData("files/f3.sgy")));
  const std::vector<std::string> big = CellLines(panel, true);
  ASSERT_TRUE(panel.Create(SegyData("files/multiformats/Format3lsb.sgy")));
  EXPECT_EQ(panel.Layout().byteOrder, KByteOrder::kLittle);
  // Same trace headers, same samples count and format: same table rows.
  const std::vector<std::string> little = CellLines(panel, true);
  ASSERT_EQ(little.size(), big.size());
  EXPECT_EQ(std::vector<std::string>(little.begin() + 480, little.end()),
            std::vector<std::string>(big.begin() + 480, big.end()));
}

TEST_F(SegySharedPanelTest, FailuresLeaveAnEmptyPanelAndNameTheFile) {
  SKIP_WITHOUT_SEGY_DATA();
  const std::string header = SegyData("malformed/m05_header_only_3600.sgy");
  ASSERT_TRUE(panel.Create(header));
  EXPECT_TRUE(panel.Table().empty());
  EXPECT_STREQ(panel.GetPoint(1), "-");  // no first trace to dump
  EXPECT_EQ(panel.Warnings().size(), 1u);
  EXPECT_TRUE(FailedWith(panel.Create(SegyData("malformed/m15_format_0.sgy")), KStatus::kBadInput, {}));
  EXPECT_TRUE(panel.entries.empty());
  EXPECT_EQ(panel.WriteXY(Out("none/xy.txt")).status(), KStatus::kBadInput);
  ASSERT_TRUE(panel.Create(SegyData("files/f3.sgy")));
  EXPECT_TRUE(FailedWith(panel.WriteXY(Out("none/xy.txt")), KStatus::kCannotWrite, {"none/xy.txt"}));
  EXPECT_EQ(KSegyAnalysis().WriteXY(Out("xy.txt")).status(), KStatus::kRefused);
}

}  // namespace
