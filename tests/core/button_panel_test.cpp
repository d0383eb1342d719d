// The button panel: cells on the three styled layers, rows, labels by
// index, and which cell a world point falls in.
#include <gtest/gtest.h>

#include <memory>

#include "model/document/elements.h"
#include "model/document/klayer.h"
#include "model/document/ktext_properties.h"
#include "window/button/kbutton.h"

namespace {

const KPointText& Cell(const KButton& panel, int index) {
  return *panel.entries.at(static_cast<std::size_t>(index))->As<KPointText>();
}

TEST(ButtonPanel, ConstructionTakesTheLayersOfTheScript) {
  KButton panel;
  ASSERT_TRUE(panel.buttonLayer && panel.editLayer && panel.playLayer);
  EXPECT_EQ(panel.buttonLayer->name, "window\\button");
  EXPECT_EQ(panel.editLayer->name, "window\\edit");
  EXPECT_EQ(panel.playLayer->name, "window\\play");
  EXPECT_EQ(panel.CurrentLayer(), panel.playLayer);
  EXPECT_EQ(panel.buttonLayer->TextProperties()->markWidth, 7.0);
  EXPECT_EQ(panel.playLayer->TextProperties()->markWidth, 7.0);
  EXPECT_EQ(panel.editLayer->TextProperties()->markWidth, 20.0);
  EXPECT_EQ(panel.editLayer->TextProperties()->markName, "window\\button");
  EXPECT_TRUE(panel.entries.empty());
  EXPECT_EQ(panel.labelColumn, 0.0);
  EXPECT_EQ(panel.valueColumn, 0.0);
}

TEST(ButtonPanel, CellsGoToTheirStyleLayerColumnAndRow) {
  KButton panel;
  panel.Initial(2, 5);
  EXPECT_EQ(panel.buttonLayer->TextProperties()->markWidth, 2.0);
  EXPECT_EQ(panel.playLayer->TextProperties()->markWidth, 2.0);
  EXPECT_EQ(panel.editLayer->TextProperties()->markWidth, 5.0);
  panel.AddPoint("Name", 1, 0);
  panel.AddPoint("Value", 2, 0);
  panel.AddPoint("Play", 3, 3);
  panel.AddPoint("Nothing", 4, 1);  // no such style: nothing added
  ASSERT_EQ(panel.entries.size(), 3u);
  EXPECT_EQ(Cell(panel, 0).x, 0.0);
  EXPECT_EQ(Cell(panel, 1).x, 2.1);
  EXPECT_EQ(Cell(panel, 1).y, 0.0);
  EXPECT_DOUBLE_EQ(Cell(panel, 2).y, -3.3);
  EXPECT_EQ(panel.entries[0]->layer, panel.buttonLayer);
  EXPECT_EQ(panel.entries[1]->layer, panel.editLayer);
  EXPECT_EQ(panel.entries[2]->layer, panel.playLayer);
  EXPECT_EQ(panel.CurrentLayer(), panel.playLayer);
  EXPECT_STREQ(panel.GetPoint(0), "Name");
  EXPECT_STREQ(panel.GetPoint(1), "Value");
  // The point form uses the current layer, whatever the style says.
  panel.AddPoint("Free", 1, 10.0, -1.0);
  EXPECT_EQ(panel.entries[3]->layer, panel.playLayer);
  EXPECT_EQ(Cell(panel, 3).x, 10.0);
}

TEST(ButtonPanel, LabelsByIndexOnlyOfPoints) {
  KButton panel;
  panel.OnOpenDocumentMem("PLINE\n0,0\n1,1\n\n");
  panel.AddPoint("Cell", 2, 0);
  for (int missing : {-1, 0, 2, 100}) {
    EXPECT_EQ(panel.GetPoint(missing), nullptr) << missing;
    panel.SetPoint(missing, "changed");
  }
  EXPECT_STREQ(panel.GetPoint(1), "Cell");
  panel.SetPoint(1, "New");
  EXPECT_STREQ(panel.GetPoint(1), "New");
  // Picks count from the tail: the last entry is pick 0.
  EXPECT_EQ(panel.CellOfPick(0), 1);
  EXPECT_EQ(panel.CellOfPick(1), 0);
  EXPECT_EQ(panel.CellOfPick(-10), -1);
  EXPECT_EQ(panel.CellOfPick(2), -1);
}

TEST(ButtonPanel, AClickHitsACellInsideItsMark) {
  KButton panel;
  panel.Initial(2, 5);
  panel.AddPoint("Value", 2, 0);  // at (2.1, 0), 5 wide and 1 high
  EXPECT_EQ(panel.CellAt(2.1 + 4.9, 0.5), 0);
  EXPECT_EQ(panel.CellAt(2.1 + 5.1, 0.5), -1);
  EXPECT_EQ(panel.CellAt(2.1 + 1.0, 1.1), -1);
  panel.editLayer->state = kViewNotEdit;  // only editable layers are picked
  EXPECT_EQ(panel.CellAt(2.1 + 4.9, 0.5), -1);
}

}  // namespace
