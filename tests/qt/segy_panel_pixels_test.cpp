// The panel and the emblem button, in real pixels.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QImage>
#include <QMouseEvent>
#include <QPainter>
#include <memory>

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

}  // namespace
