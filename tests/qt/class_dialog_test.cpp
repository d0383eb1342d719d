// The class dialog over a view's layers: the tree, the tick commands, one
// dialog per view, and the embellishment dialog from the item menu.
#include <gtest/gtest.h>

#include <QApplication>
#include <QListWidget>
#include <QPointer>
#include <QTest>
#include <QToolBar>
#include <QTreeWidget>
#include <memory>

#include "model/document/klayer.h"
#include "platform/resources/menus.h"
#include "qt/dialogs/class_dialog.h"
#include "qt/dialogs/embellish_dialog.h"
#include "qt/view/kview.h"
#include "tests/qt/paint_util.h"

namespace {

class ClassDialogTest : public ::testing::Test {
protected:
  void SetUp() override {
    for (const char* path : {"0", "window\\button", "window\\edit", "f(x,y)\\outline"})
      view->Window().SelectLayer(path);
    view->Host().choose = [](const KMenuNode&, int) { return int(kCmdClass); };
  }
  // Opens the dialog as the user does: "&Class" from the view's context menu.
  CClassDlg& OpenFromMenu() {
    QTest::mouseClick(view.get(), Qt::RightButton, {}, {10, 10});
    CClassDlg* dialog = view->Host().ClassDialog();
    EXPECT_NE(dialog, nullptr);
    return *dialog;
  }
  int State(const char* path) { return view->Window().layers.LookupPath(path)->state; }
  void Tick(CClassDlg& dialog, const char* path) { dialog.Find(path)->setCheckState(0, Qt::Checked); }

  std::unique_ptr<KView> view = std::make_unique<KView>();
};

TEST_F(ClassDialogTest, TreeShowsGroupsWithTheirLeaves) {
  CClassDlg& dialog = OpenFromMenu();
  EXPECT_TRUE(dialog.isVisible());
  QTreeWidget& tree = dialog.Tree();
  ASSERT_EQ(tree.topLevelItemCount(), 3);
  QStringList top, windowChildren;
  for (int i = 0; i < 3; ++i) top << tree.topLevelItem(i)->text(0);
  EXPECT_EQ(top, QStringList({"0", "f(x,y)\\", "window\\"}));
  QTreeWidgetItem* window = dialog.Find("window\\");
  for (int i = 0; i < window->childCount(); ++i) windowChildren << window->child(i)->text(0);
  EXPECT_EQ(windowChildren, QStringList({"button", "edit"}));
  EXPECT_EQ(dialog.Find("f(x,y)\\")->child(0)->text(0), "outline");
}

TEST_F(ClassDialogTest, TickedLeavesBecomeHiddenOrEditableAndTheOwnerRepaints) {
  int repaints = 0;
  CClassDlg dialog(view->Window(), [&] { ++repaints; });
  Tick(dialog, "window\\button");
  Tick(dialog, "0");
  EXPECT_TRUE(dialog.Command(kCmdClassNotView));
  EXPECT_EQ(State("window\\button"), kNotViewNotEdit);
  EXPECT_EQ(State("0"), kNotViewNotEdit);
  EXPECT_EQ(State("window\\edit"), kViewAndEdit);
  EXPECT_EQ(repaints, 1);

  for (int id : {int(kCmdClassViewNotEdit), int(kCmdItemColor), int(kCmdItemPoint)})
    EXPECT_FALSE(dialog.Command(id)) << id;
  dialog.Find("0")->setCheckState(0, Qt::Unchecked);
  EXPECT_TRUE(dialog.Command(kCmdClassEdit));
  EXPECT_EQ(State("window\\button"), kViewAndEdit);
  EXPECT_EQ(State("0"), kNotViewNotEdit);
  EXPECT_EQ(repaints, 2);
}

TEST_F(ClassDialogTest, ToolBarButtonShowsAStruckThroughEye) {
  CClassDlg dialog(view->Window(), nullptr);
  auto* tools = dialog.findChild<QToolBar*>();
  ASSERT_NE(tools, nullptr);
  ASSERT_FALSE(tools->actions().isEmpty());
  const QImage icon = tools->actions().first()->icon().pixmap(QSize(16, 15)).toImage();
  EXPECT_GT(CountPixels(icon, [](QRgb p) { return qAlpha(p) >= 200 && qRed(p) > 150 && qGreen(p) < 80; }), 5);
  EXPECT_GT(CountPixels(icon, [](QRgb p) { return qAlpha(p) >= 200 && qRed(p) < 80 && qGreen(p) < 80 && qBlue(p) < 80; }),
            5);
}

TEST_F(ClassDialogTest, ATickedGroupAloneChangesNoLayer) {
  CClassDlg dialog(view->Window(), nullptr);
  Tick(dialog, "window\\");
  EXPECT_FALSE(dialog.Command(kCmdClassNotView));
  EXPECT_EQ(State("window\\button"), kViewAndEdit);
  EXPECT_EQ(State("window\\edit"), kViewAndEdit);
}

TEST_F(ClassDialogTest, SelectCommandsTickUntickAndInvertEveryItem) {
  CClassDlg dialog(view->Window(), nullptr);
  const auto ticks = [&] {
    QString out;
    for (const char* path : {"0", "window\\", "window\\button", "window\\edit", "f(x,y)\\", "f(x,y)\\outline"})
      out += dialog.Find(path)->checkState(0) == Qt::Checked ? '1' : '0';
    return out;
  };
  dialog.Command(kCmdSelectAll);
  EXPECT_EQ(ticks(), "111111");
  dialog.Command(kCmdSelectNone);
  EXPECT_EQ(ticks(), "000000");
  Tick(dialog, "window\\edit");
  dialog.Command(kCmdSelectInvert);
  EXPECT_EQ(ticks(), "111011");
  dialog.Command(kCmdSelectInvert);
  EXPECT_EQ(ticks(), "000100");
}

TEST_F(ClassDialogTest, EachClassCommandMakesANewDialogOfTheLayersOfTheMomentThatDiesWithTheView) {
  QPointer<CClassDlg> first = &OpenFromMenu();
  EXPECT_EQ(first->Find("roads"), nullptr);
  view->Window().SelectLayer("roads");
  QPointer<CClassDlg> second = &OpenFromMenu();
  EXPECT_NE(second->Find("roads"), nullptr);
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(first.isNull());  // the one before goes
  view.reset();
  EXPECT_TRUE(second.isNull());
}

TEST_F(ClassDialogTest, StateCommandsRepaintTheViewAtOnceAndUndo) {
  view->Window().OnOpenDocumentMem("RGB 255 0 0\nLayer M 0\nPline\n0,0\n100,100\n\n");
  view->resize(200, 200);
  view->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(view.get()));
  const auto red = [&] {
    view->grab();
    return CountColour(view->Backing(), qRgb(255, 0, 0));
  };
  ASSERT_GT(red(), 50);
  CClassDlg& dialog = OpenFromMenu();
  Tick(dialog, "0");
  EXPECT_TRUE(dialog.Command(kCmdClassNotView));
  EXPECT_EQ(red(), 0);
  ASSERT_TRUE(view->Undo());
  EXPECT_EQ(State("0"), kViewAndEdit);
  EXPECT_GT(red(), 50);
}

TEST_F(ClassDialogTest, HowToDrawCurveShowsTheEmbellishDialogNamedAfterTheItem) {
  CClassDlg& dialog = OpenFromMenu();
  dialog.Tree().setCurrentItem(dialog.Find("window\\button"));
  EXPECT_FALSE(dialog.Command(kCmdItemEmbellish));
  auto* embellish = dialog.findChild<CEmbellishCurveDlg*>();
  ASSERT_NE(embellish, nullptr);
  EXPECT_TRUE(embellish->isVisible());
  EXPECT_TRUE(embellish->isModal());
  EXPECT_EQ(embellish->windowTitle(), "button");
  EXPECT_EQ(embellish->List().count(), 0);
  QPointer<CEmbellishCurveDlg> gone = embellish;
  embellish->accept();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(gone.isNull());
}

}  // namespace
