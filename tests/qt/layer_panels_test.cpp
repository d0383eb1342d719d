// The layer and properties panels beside a view, and the view's question
// about where new curves go: every change shows in the view's picture at
// once and can be undone.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QHeaderView>
#include <QPushButton>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QTreeWidget>

#include "model/document/klayer.h"
#include "platform/resources/menus.h"
#include "qt/view/klayer_panel.h"
#include "qt/view/kproperties_panel.h"
#include "qt/view/kview.h"
#include "tests/qt/paint_util.h"
#include "tests/qt/widget_input.h"

namespace {

// A red line on roads, a blue one on the hidden grid layer (current).
const char* kDrawing =
    "RGB 255 0 0\nLayer M roads\nPline\n0,0\n100,100\n\n"
    "RGB 0 0 255\nLayer M grid\nLayer NotViewNotEdit\nPline\n0,100\n100,0\n\n";

class Panels : public ::testing::Test {
protected:
  void SetUp() override {
    view.resize(200, 200);
    view.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
    view.Window().OnOpenDocumentMem(kDrawing);
    view.Refresh();
    layers.SetView(&view);
    layers.resize(320, 240);
    layers.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&layers));
    view.onChanged = [this] { layers.Sync(); properties.Sync(); };
    view.onPicked = [this] { properties.Sync(); };
    properties.SetView(&view);
    Paint();
  }
  // Paints the view as it shows now; counts its red and blue pixels.
  std::pair<int, int> Paint() {
    view.grab();
    return {CountColour(view.Backing(), qRgb(255, 0, 0)), CountColour(view.Backing(), qRgb(0, 0, 255))};
  }
  QString Cell(const char* path, int column) { return layers.Find(path)->text(column); }
  void ClickCell(const char* path, int column) {
    QTreeWidget& tree = layers.Tree();
    tree.scrollToItem(layers.Find(path));
    const QRect cell = tree.visualItemRect(layers.Find(path));
    const int x = tree.header()->sectionViewportPosition(column) + 4;
    QTest::mouseClick(tree.viewport(), Qt::LeftButton, {}, {x, cell.center().y()});
  }

  KView view;
  KLayerPanel layers;
  KPropertiesPanel properties;
};

TEST_F(Panels, LayerStatesAndTheCurrentLayerChangeByAClickAndShowAtOnce) {
  EXPECT_EQ(Cell("roads", KLayerPanel::kStateColumn), "view and edit");
  EXPECT_EQ(Cell("grid", KLayerPanel::kStateColumn), "hidden");
  EXPECT_EQ(Cell("grid", KLayerPanel::kCurrentColumn), "\u25CF");
  EXPECT_EQ(Cell("roads", KLayerPanel::kCurrentColumn), "");
  const auto [red, blue] = Paint();
  ASSERT_GT(red, 50);
  ASSERT_EQ(blue, 0);

  // One click a step: view and edit, view only, hidden, and round again.
  const char* steps[] = {"view only", "hidden", "view and edit"};
  const std::pair<bool, bool> shown[] = {{true, false}, {false, false}, {true, false}};
  for (int i = 0; i < 3; ++i) {
    ClickCell("roads", KLayerPanel::kStateColumn);
    EXPECT_EQ(Cell("roads", KLayerPanel::kStateColumn), steps[i]);
    const auto [r, b] = Paint();
    EXPECT_EQ(r > 0, shown[i].first) << steps[i];
  }
  ClickCell("grid", KLayerPanel::kStateColumn);
  EXPECT_GT(Paint().second, 50);
  ASSERT_TRUE(view.Undo());  // grid hidden again
  EXPECT_EQ(Cell("grid", KLayerPanel::kStateColumn), "hidden");
  EXPECT_EQ(Paint().second, 0);

  ClickCell("roads", KLayerPanel::kCurrentColumn);
  EXPECT_EQ(view.Window().NewEntryLayer()->name, "roads");
  EXPECT_EQ(Cell("roads", KLayerPanel::kCurrentColumn), "\u25CF");
  EXPECT_EQ(Cell("grid", KLayerPanel::kCurrentColumn), "");

  layers.askName = [] { return QString("faults\\north"); };
  QTest::mouseClick(layers.findChild<QPushButton*>(), Qt::LeftButton);
  ASSERT_NE(layers.Find("faults\\north"), nullptr);
  EXPECT_EQ(view.Window().NewEntryLayer()->name, "faults\\north");
  EXPECT_FALSE(layers.NewLayer("two words"));
}

TEST_F(Panels, ACurveOnTheHiddenCurrentLayerAsksAndGoesWhereTheUserSays) {
  std::vector<std::string> asked;
  view.Host().chooseLayer = [&](const std::string& why) {
    asked.push_back(why);
    return std::optional<std::string>("roads");
  };
  view.Window().viewState = kCmdCurve;
  Drag(view, {{20, 150}, {60, 170}, {90, 160}});
  ASSERT_EQ(asked, std::vector<std::string>{"The current layer 'grid' is hidden"});
  EXPECT_EQ(view.Window().entries.back()->layer->name, "roads");
  EXPECT_EQ(Cell("roads", KLayerPanel::kCurrentColumn), "\u25CF");
}

TEST_F(Panels, PropertiesOfThePickedEntryAreEditedAndUndone) {
  EXPECT_FALSE(properties.Apply());
  view.Window().viewState = kCmdClick;
  QTest::mouseClick(&view, Qt::LeftButton, {}, {100, 100});  // on the red line
  EXPECT_EQ(properties.Kind().text(), "polyline");
  EXPECT_EQ(properties.Layer().currentText(), "roads");
  EXPECT_EQ(properties.Colour(), QColor(255, 0, 0));
  EXPECT_EQ(properties.Z().text(), "0");
  EXPECT_EQ(properties.Editable().text(), "yes");

  properties.Name().setText("F7");
  properties.Z().setText("-1200 -1300");
  properties.SetColour(QColor(0, 160, 0));
  properties.Layer().setCurrentText("faults");
  ASSERT_TRUE(properties.Apply()) << properties.Message().text().toStdString();
  const KEntry& entry = *view.Window().entries[0];
  EXPECT_EQ(PropertiesOf(entry).z, (std::vector<double>{-1200, -1300}));
  EXPECT_EQ(entry.layer->name, "faults");
  EXPECT_EQ(properties.Z().text(), "-1200 -1300");
  view.grab();
  EXPECT_GT(CountColour(view.Backing(), qRgb(0, 160, 0)), 50);  // the picture is out of date

  properties.Z().setText("5 6 7");
  EXPECT_FALSE(properties.Apply());
  EXPECT_EQ(properties.Message().text(), "give one z, or one z for each of the 2 vertices");
  properties.Z().setText("x");
  EXPECT_FALSE(properties.Apply());

  ASSERT_TRUE(view.Undo());
  EXPECT_EQ(entry.layer->name, "roads");
  EXPECT_EQ(properties.Name().text(), "");
  EXPECT_GT(Paint().first, 50);
}

TEST(KPropertiesPanel, ZTextAndParsing) {
  EXPECT_EQ(KPropertiesPanel::ZText({}), "");
  EXPECT_EQ(KPropertiesPanel::ZText({-1200, -1200, -1200}), "-1200");
  EXPECT_EQ(KPropertiesPanel::ZText({1.5, 2}), "1.5 2");
  std::vector<double> z;
  EXPECT_TRUE(KPropertiesPanel::ParseZ(" 1, 2;3  4.5 ", z));
  EXPECT_EQ(z, (std::vector<double>{1, 2, 3, 4.5}));
  EXPECT_FALSE(KPropertiesPanel::ParseZ("1 two", z));
  EXPECT_FALSE(KPropertiesPanel::ParseZ("  ", z));
}

}  // namespace
