// The panel and the emblem button, in real pixels.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QKeyEvent>
#include <QWheelEvent>
#include <QImage>
#include <QMouseEvent>
#include <QPainter>
#include <memory>

#include "model/document/elements.h"
#include "qt/platform/qt_device.h"
#include "render/drawing/emblem.h"
#include "window/segy/ksegy_analysis.h"
#include "tests/support/segy_data.h"
#include "qt/view/cbutton_solvane.h"
#include "qt/view/kpanel_view.h"

namespace {

QImage White(QSize size) {
  QImage image(size, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::white);
  return image;
}

QImage Emblem(QSize size, int cx, int cy) {
  QImage image = White(size);
  QPainter painter(&image);
  KQtDevice device(&painter, size);
  DrawEmblem(device, cx, cy, 30, 30);
  device.Flush();
  return image;
}

TEST(EmblemButton, PaintsTheEmblemCentredAtThirtyPixelsAUnit) {
  CButtonSolvane button;
  button.resize(101, 51);
  QImage shown = White(button.size());
  button.render(&shown, QPoint(), QRegion(), QWidget::DrawChildren);
  EXPECT_EQ(shown, Emblem(button.size(), 50, 25));
  EXPECT_NE(shown, Emblem(button.size(), 51, 25));
  button.DisableButton();
  EXPECT_FALSE(button.isEnabled());
  button.EnableButton();
  EXPECT_TRUE(button.isEnabled());
}

TEST(SegyPanelPixels, CellsShowTheBlockOfTheirStyle) {
  auto analysis = std::make_unique<KSegyAnalysis>();
  ASSERT_TRUE(analysis->Create(GeneratedSegy("be_ibm.sgy")));
  KPanelView view(std::move(analysis));
  view.resize(800, 488);
  QImage shown(view.size(), QImage::Format_ARGB32_Premultiplied);
  view.render(&shown);
  const KViewTransform& v = view.Panel().view;
  ASSERT_TRUE(v.CanMap());
  auto colourAt = [&](double x, double y) { return shown.pixelColor(v.ToDeviceX(x), v.ToDeviceY(y)); };
  EXPECT_EQ(colourAt(1.5, 0.5), QColor(0, 0, 100));        // style 1: offset 0
  EXPECT_EQ(colourAt(6.5, 0.5), QColor(100, 0, 0));        // style 2: its value
  EXPECT_EQ(colourAt(1.5, -2.2 + 0.5), QColor(0, 100, 0)); // style 3: " n" at offset 8
  EXPECT_EQ(colourAt(1.5, 0.05 + 1.05), QColor(Qt::white)); // the gap between rows
  // A click in the value cell of offset 8 names that cell.
  int clicked = -1;
  view.onCellClicked = [&](int cell) { clicked = cell; };
  QMouseEvent press(QEvent::MouseButtonPress, QPointF(v.ToDeviceX(6.5), v.ToDeviceY(-2.2 + 0.5)),
                    QPointF(), Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(&view, &press);
  EXPECT_EQ(clicked, 17);
  EXPECT_STREQ(view.Panel().GetPoint(clicked), "101");
}

// The panel holds 60 rows and a table right of x 40, more than the first
// screen shows: keys, the wheel and dragging bring every cell into view.
TEST(SegyPanelView, ScrollsAndZoomsSoEveryCellCanBeSeen) {
  auto analysis = std::make_unique<KSegyAnalysis>();
  ASSERT_TRUE(analysis->Create(GeneratedSegy("be_ibm.sgy")));
  KPanelView view(std::move(analysis));
  view.resize(800, 488);
  QImage shown(view.size(), QImage::Format_ARGB32_Premultiplied);
  const auto paint = [&] { view.render(&shown); };
  paint();
  const KViewTransform& v = view.Panel().view;
  ASSERT_TRUE(v.CanMap());
  const double scale = v.scaleY;
  // Dump row 59 (cell 472, offset 236) and the table's y column lie outside.
  const double lastRowY = -59 * 1.1 + 0.5;
  const double yColumnEnd = view.Panel().entries[487]->As<KPointText>()->x + 5;
  EXPECT_GT(v.ToDeviceY(lastRowY), 488);
  EXPECT_GT(v.ToDeviceX(yColumnEnd), 800);
  const auto key = [&](int k, int times) {
    for (int i = 0; i < times; ++i) {
      QKeyEvent press(QEvent::KeyPress, k, Qt::NoModifier);
      QCoreApplication::sendEvent(&view, &press);
    }
    paint();
  };
  // Page Down: four fifths of the height a press.
  key(Qt::Key_PageDown, 3);
  EXPECT_NEAR(v.top, 2.1 - 3 * 390 * scale, 1e-9);
  EXPECT_LT(v.ToDeviceY(lastRowY), 488);
  int clicked = -1;
  view.onCellClicked = [&](int cell) { clicked = cell; };
  const QPointF lastLabel(v.ToDeviceX(1.0), v.ToDeviceY(lastRowY));
  QMouseEvent press(QEvent::MouseButtonPress, lastLabel, QPointF(), Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(&view, &press);
  EXPECT_EQ(clicked, 472);
  // Dragging left by 300 pixels moves the panel with the mouse.
  const double leftBefore = v.left;
  QMouseEvent move(QEvent::MouseMove, lastLabel - QPointF(300, 0), QPointF(), Qt::NoButton, Qt::LeftButton,
                   Qt::NoModifier);
  QCoreApplication::sendEvent(&view, &move);
  QMouseEvent release(QEvent::MouseButtonRelease, lastLabel - QPointF(300, 0), QPointF(), Qt::LeftButton,
                      Qt::NoButton, Qt::NoModifier);
  QCoreApplication::sendEvent(&view, &release);
  paint();
  EXPECT_NEAR(v.left, leftBefore + 300 * scale, 1e-9);
  EXPECT_LT(v.ToDeviceX(yColumnEnd), 800);
  // The wheel scrolls two notches up; with Ctrl it zooms about the cursor.
  const double topBefore = v.top;
  QWheelEvent up(QPointF(400, 200), QPointF(), QPoint(), QPoint(0, 240), Qt::NoButton, Qt::NoModifier,
                 Qt::NoScrollPhase, false);
  QCoreApplication::sendEvent(&view, &up);
  EXPECT_NEAR(v.top, topBefore + 120 * scale, 1e-9);
  const double wx = v.ToWorldX(400), wy = v.ToWorldY(200);
  QWheelEvent zoom(QPointF(400, 200), QPointF(), QPoint(), QPoint(0, 120), Qt::NoButton, Qt::ControlModifier,
                   Qt::NoScrollPhase, false);
  QCoreApplication::sendEvent(&view, &zoom);
  EXPECT_DOUBLE_EQ(v.scaleY, scale / 1.25);
  EXPECT_NEAR(v.ToWorldX(400), wx, 1e-9);
  EXPECT_NEAR(v.ToWorldY(200), wy, 1e-9);
  // Home fits the first screen again.
  key(Qt::Key_Home, 1);
  EXPECT_DOUBLE_EQ(v.scaleY, scale);
  EXPECT_GT(v.ToDeviceY(lastRowY), 488);
}

}  // namespace
