// The net-file viewer's window, offscreen: opening, the status line under
// the mouse, zoom and pan, the contour interval, export and a damaged file.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDoubleSpinBox>
#include <QImage>
#include <QStatusBar>
#include <QTest>

#include "tests/qt/widget_input.h"
#include "tests/support/net_grids.h"
#include "tests/support/result_checks.h"
#include "tests/support/temp_dir.h"
#include "qt/fxy/fxy_main_window.h"
#include "qt/fxy/net_view.h"

namespace {

class FxyViewer : public ::testing::Test {
protected:
  void SetUp() override {
    WriteTestNet(net, 40, [](int i, int j) { return 1000 + 5.0 * i + 2.0 * j; });
    window.resize(900, 700);
    window.show();
    ASSERT_TRUE(window.OpenNet(QString::fromStdString(net)));
    QApplication::processEvents();
  }
  KNetView& View() { return *window.View(); }
  QPointF World(QPoint p) { return WorldAt(View().View(), p); }

  TempDir dir;
  std::string net = dir.File("a.net");
  KFxyMainWindow window;
};

TEST_F(FxyViewer, StatusBarShowsPositionAndValueUnderTheMouse) {
  const QPoint at = View().rect().center() - QPoint(KNetPicture::kLegendWidth / 2, 0);
  QTest::mouseMove(&View(), at);
  // Under a real X server the move arrives through the event loop.
  QTRY_VERIFY(window.statusBar()->currentMessage().startsWith("x "));
  const QString status = window.statusBar()->currentMessage();
  const QPointF w = World(at);
  const int i = static_cast<int>(std::lround(w.x())), j = static_cast<int>(std::lround(w.y()));
  EXPECT_TRUE(status.contains(QString("z %1 ").arg(1000 + 5 * i + 2 * j))) << status.toStdString();
  EXPECT_TRUE(status.contains(QString("node (%1, %2)").arg(i).arg(j))) << status.toStdString();
  EXPECT_TRUE(status.startsWith(QString("x %1").arg(w.x(), 0, 'f', 2))) << status.toStdString();
}

TEST_F(FxyViewer, WheelZoomsAboutTheCursorAndDragPans) {
  const QImage before = View().grab().toImage();
  const double scale = View().View().scaleX;
  ExpectWheelZoomsAbout(View(), View().View(), {200, 300});
  EXPECT_NE(View().grab().toImage(), before);

  const double left = View().View().left;
  Drag(View(), {{300, 300}, {340, 300}});
  EXPECT_NEAR(View().View().left, left - 40 * View().View().scaleX, 1e-9);
  QTest::keyClick(&View(), Qt::Key_Home);
  EXPECT_DOUBLE_EQ(View().View().scaleX, scale);
}

TEST_F(FxyViewer, ContourIntervalAndExport) {
  ASSERT_NE(View().Picture(), nullptr);
  EXPECT_GT(View().Picture()->contourStep(), 0);  // a round step to start with
  EXPECT_DOUBLE_EQ(window.StepBox()->value(), View().Picture()->contourStep());
  window.StepBox()->setValue(50);
  EXPECT_EQ(View().Picture()->contourStep(), 50);
  const std::size_t lines = View().Picture()->contours().size();
  window.StepBox()->setValue(10);
  EXPECT_GT(View().Picture()->contours().size(), lines);

  for (const char* name : {"v.png", "v.svg", "v.pdf"}) {
    const KResult written = window.ExportTo(QString::fromStdString(dir.File(name)));
    EXPECT_TRUE(written) << written.message();
  }
  const QImage png(QString::fromStdString(dir.File("v.png")));
  EXPECT_EQ(png.size(), View().size());
  EXPECT_FALSE(window.ExportTo(QString::fromStdString(dir.File("v.unknown"))));
}

TEST_F(FxyViewer, DamagedFileIsRefusedAndTheGridStays) {
  const KNetPicture* shown = View().Picture();
  const std::string bad = dir.Write("bad.net", "not a net file at all, not even close to one, no");
  EXPECT_TRUE(FailedWith(window.OpenNet(QString::fromStdString(bad)), KStatus::kBadInput, {"net file '" + bad + "'"}));
  EXPECT_EQ(View().Picture(), shown);
}

}  // namespace
