// The view's own event handling, driven by synthesized Qt events offscreen.
#include <gtest/gtest.h>

#include <QFile>
#include <QMenu>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <QTest>
#include <vector>

#include "model/document/klayer.h"
#include "platform/resources/menus.h"
#include "qt/view/kview.h"
#include "qt/export/picture_export.h"
#include "tests/qt/paint_util.h"
#include "tests/qt/widget_input.h"

namespace {

class KViewEvents : public ::testing::Test {
protected:
  void SetUp() override {
    view.resize(200, 200);
    view.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
  }
  // Opens the drawing and paints it once, which fits the view.
  void Open(const char* text) {
    view.Window().OnOpenDocumentMem(text);
    view.Refresh();
    picture = view.grab().toImage();
  }
  QPointF World(QPoint p) { return WorldAt(view.Window().view, p); }

  KView view;
  QImage picture;
};

const char* kTwoLayers =
    "Pline\n0,0\n100,100\n\n"
    "Layer M fixed\nLayer ViewNotEdit\nPline\n0,100\n100,0\n\nLayer M 0\n";

TEST_F(KViewEvents, ADragInCurveModeAddsTheDraggedCurve) {
  Open(kTwoLayers);
  view.Window().viewState = kCmdCurve;
  const std::vector<QPoint> path = {{20, 30}, {40, 35}, {60, 50}, {80, 52}};
  Drag(view, path);
  ASSERT_EQ(view.Window().entries.size(), 3u);
  view.grab();
  EXPECT_NE(view.Backing().convertToFormat(picture.format()), picture);  // painted into the document
  const KCurve* curve = view.Window().entries.back()->As<KCurve>();
  ASSERT_EQ(curve->count, 4);
  for (int i = 0; i < 4; ++i) {
    EXPECT_DOUBLE_EQ(curve->x()[i], World(path[i]).x());
    EXPECT_DOUBLE_EQ(curve->y()[i], World(path[i]).y());
  }
}

TEST_F(KViewEvents, RectangleDeleteSparesViewOnlyLayersAndUndoBringsItBack) {
  Open(kTwoLayers);
  view.Window().viewState = kCmdRectangle;
  QTest::mouseClick(&view, Qt::LeftButton, {}, {5, 5});
  QTest::mouseClick(&view, Qt::LeftButton, {}, {195, 195});
  ASSERT_EQ(view.Window().entries.size(), 1u);
  EXPECT_EQ(view.Window().entries[0]->layer->name, "fixed");
  QTest::keyClick(&view, Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(view.Window().entries.size(), 2u);
  EXPECT_EQ(view.grab().toImage(), picture);
  QTest::keyClick(&view, Qt::Key_Y, Qt::ControlModifier);
  EXPECT_EQ(view.Window().entries.size(), 1u);
}

TEST_F(KViewEvents, TheRubberBandShowsOverTheDrawingAndLeavesNoTrace) {
  Open(kTwoLayers);
  view.Window().viewState = kCmdWindow;
  QTest::mouseClick(&view, Qt::LeftButton, {}, {30, 30});
  QTest::mouseMove(&view, {120, 90});
  QTest::mouseMove(&view, {150, 160});
  EXPECT_NE(view.grab().toImage(), picture);  // the band is drawn
  EXPECT_EQ(view.Backing().convertToFormat(picture.format()), picture);  // not into the document
  QTest::keyClick(&view, Qt::Key_Escape);
  EXPECT_EQ(view.grab().toImage(), picture);
}

TEST_F(KViewEvents, TheWheelZoomsAboutTheCursor) {
  Open(kTwoLayers);
  ExpectWheelZoomsAbout(view, view.Window().view, {50, 150});
  EXPECT_NE(view.grab().toImage(), picture);
}

// Every paint counted slow: navigation moves the last picture until it
// settles, and a change to the document paints in full at once.
TEST_F(KViewEvents, ASlowDrawingMovesItsLastPictureUntilTheViewSettles) {
  view.SetSlowPaintMs(0);
  Open(kTwoLayers);
  const QImage before = view.Backing().convertToFormat(QImage::Format_RGB32);
  const auto middle = [&](QEvent::Type type, QPoint at, Qt::MouseButtons held) {
    QMouseEvent event(type, QPointF(at), QPointF(view.mapToGlobal(at)), Qt::MiddleButton, held, Qt::NoModifier);
    QApplication::sendEvent(&view, &event);
  };
  middle(QEvent::MouseButtonPress, {100, 100}, Qt::MiddleButton);
  middle(QEvent::MouseMove, {130, 120}, Qt::MiddleButton);
  middle(QEvent::MouseButtonRelease, {130, 120}, Qt::NoButton);
  const QImage moved = view.grab().toImage().convertToFormat(QImage::Format_RGB32);
  EXPECT_TRUE(view.ShowsMovedPicture());
  EXPECT_EQ(view.Backing().convertToFormat(QImage::Format_RGB32), before);
  EXPECT_EQ(moved.copy(30, 20, 170, 180), before.copy(0, 0, 170, 180));
  EXPECT_EQ(CountColour(moved.copy(0, 0, 30, 200), qRgb(255, 255, 255)), 30 * 200);

  QTest::qWait(KView::kSettleMs * 3);
  const QImage settled = view.grab().toImage().convertToFormat(QImage::Format_RGB32);
  EXPECT_FALSE(view.ShowsMovedPicture());
  EXPECT_EQ(view.Backing().convertToFormat(QImage::Format_RGB32), settled);
  EXPECT_EQ(settled, moved);  // a whole-pixel pan: the full paint agrees

  // Zoomed in about the cursor, the picture grows about it at once.
  ExpectWheelZoomsAbout(view, view.Window().view, {60, 60});
  const QImage zoomed = view.grab().toImage().convertToFormat(QImage::Format_RGB32);
  EXPECT_TRUE(view.ShowsMovedPicture());
  EXPECT_GT(CountColour(zoomed, qRgb(0, 0, 0)), CountColour(settled, qRgb(0, 0, 0)));
  view.Refresh();
  view.grab();
  EXPECT_FALSE(view.ShowsMovedPicture());
}

TEST_F(KViewEvents, TheRightButtonShowsTheContextMenuFromTheTable) {
  Open(kTwoLayers);
  view.Window().viewState = kCmdPan;
  int checked = -1;
  view.Host().choose = [&](const KMenuNode&, int check) {
    checked = check;
    return static_cast<int>(kCmdCurveClick);
  };
  QTest::mouseClick(&view, Qt::RightButton, {}, {10, 10});
  EXPECT_EQ(checked, kCmdPan);
  EXPECT_EQ(view.Window().viewState, kCmdCurveClick);

  QMenu menu;
  KQtWindowHost::FillMenu(menu, MenuPopup(kMenuContext), kCmdRectangle);
  ASSERT_EQ(menu.actions().size(), 6);
  EXPECT_EQ(menu.actions()[0]->text(), "&View");
  QAction* rectangle = menu.actions()[1]->menu()->actions()[1];
  EXPECT_EQ(rectangle->text(), "Rect&angle");
  EXPECT_TRUE(rectangle->isChecked());
  EXPECT_EQ(rectangle->data().toInt(), kCmdRectangle);
}

TEST(KQtWindowHost, FileFiltersBecomeQtNameFilters) {
  EXPECT_EQ(KQtWindowHost::QtFilter("*.kcx|*.kcx|all file(*.*)|*.*||"), "*.kcx (*.kcx);;all file(*.*) (*.*)");
}

TEST_F(KViewEvents, ExportWritesWhatTheViewShowsAsPngSvgOrPdf) {
  Open(kTwoLayers);
  QTemporaryDir dir;
  ASSERT_TRUE(ExportPicture(view.Window(), view.size(), dir.filePath("a.png")));
  EXPECT_EQ(QImage(dir.filePath("a.png")).convertToFormat(picture.format()), picture);
  for (const char* name : {"a.svg", "a.pdf"}) {
    ASSERT_TRUE(ExportPicture(view.Window(), view.size(), dir.filePath(name))) << name;
    EXPECT_GT(QFile(dir.filePath(name)).size(), 100) << name;
  }
  const KResult refused = ExportPicture(view.Window(), view.size(), dir.filePath("a.nosuchtype"));
  EXPECT_EQ(refused.status(), KStatus::kRefused);
  EXPECT_FALSE(QFile::exists(dir.filePath("a.nosuchtype")));
}

}  // namespace
