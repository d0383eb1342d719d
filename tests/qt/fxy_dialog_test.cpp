// The f(x,y) dialogs: the proposed grid and its caption, refusals, the
// question during a run, the run in its status window, and GetFxy through
// the view's host.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QSpinBox>
#include <QTest>
#include <QTimer>
#include <filesystem>
#include <memory>

#include "qt/fxy/fxy_dialog.h"
#include "qt/fxy/fxy_layers_dialog.h"
#include "qt/fxy/fxy_question.h"
#include "qt/fxy/fxy_status_window.h"
#include "tests/qt/widget_input.h"
#include "tests/support/temp_dir.h"
#include "qt/view/kview.h"

namespace {

// Points from (0, 0) to (100, 80): with num x 12 the step is 10 and num y 10.
KFxyInput Corners() {
  KFxyInput input;
  for (auto [x, y, z] : {std::tuple{0., 0., 1.}, {100., 0., 2.}, {0., 80., 3.}, {100., 80., 5.}, {40., 30., 2.}})
    input.points.push_back({x, y, z});
  return input;
}

// Accepts every modal dialog that opens while it lives.
class AcceptingDialogs {
public:
  AcceptingDialogs() {
    QObject::connect(&timer_, &QTimer::timeout, [] {
      if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) dialog->accept();
    });
    timer_.start(5);
  }

private:
  QTimer timer_;
};

class FxyTest : public ::testing::Test {
protected:
  FxyTest() {
    data.output = dir.File("out net.f(x,y)");
    ProposeFxyGrid(input, data);
  }
  TempDir dir;
  KFxyInput input = Corners();
  KFxyDialogData data;
};

TEST_F(FxyTest, DialogShowsTheProposalAndTheNodeCountsInItsCaption) {
  CGetFxyDlg dialog(input, data);
  EXPECT_EQ(dialog.NumX().value(), 12);
  EXPECT_EQ(dialog.Times().value(), 5);
  EXPECT_EQ(dialog.Field("numY").text(), "10");
  EXPECT_EQ(dialog.Field("deltX").text(), "10");
  EXPECT_EQ(dialog.Field("zMax").text(), "5");
  EXPECT_EQ(dialog.Field("zDelta").text(), "4");
  EXPECT_TRUE(dialog.Field("zDelta").isReadOnly());
  dialog.Times().setValue(3);
  EXPECT_EQ(dialog.windowTitle(), "[45 X 37]");
  dialog.NumX().setValue(22);  // the up-down: new step and num y at once
  EXPECT_EQ(dialog.Field("deltX").text(), "5");
  EXPECT_EQ(dialog.Field("numY").text(), "18");
  EXPECT_EQ(dialog.windowTitle(), "[85 X 69]");
  EXPECT_EQ(data.numX, 22);
}

TEST_F(FxyTest, DialogRefusesValuesThatMakeNoGrid) {
  CGetFxyDlg dialog(input, data);
  dialog.NumX().setValue(2);
  EXPECT_EQ(dialog.NumX().value(), 3);
  struct Case {
    const char* field;
    const char* text;
    const char* reason;
  };
  for (const Case c : {Case{"pre", "abc", "pre"}, Case{"deltX", "0", ""}, Case{"smooth", "-1", "smooth"}}) {
    SCOPED_TRACE(c.field);
    CGetFxyDlg fresh(input, data);
    fresh.Field(c.field).setText(c.text);
    fresh.accept();
    EXPECT_NE(fresh.result(), QDialog::Accepted);
    EXPECT_FALSE(fresh.Refusal().isEmpty());
    EXPECT_TRUE(fresh.Refusal().contains(c.reason)) << fresh.Refusal().toStdString();
    ProposeFxyGrid(input, data);  // the refused dialog kept what it read
  }
}

// Typed as a user types it: the whole number replaced.
void TypeInto(QSpinBox& box, const char* text) {
  box.selectAll();
  QTest::keyClicks(&box, text);
}

TEST_F(FxyTest, TimesTypedAsZeroIsKeptAndRunsOneLevel) {
  CGetFxyDlg dialog(input, data);
  TypeInto(dialog.Times(), "0");
  EXPECT_EQ(data.times, 0);
  EXPECT_EQ(dialog.windowTitle(), "[12 X 10]");
  dialog.accept();
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  CGetFxyDlg cancelled(input, data);
  ASSERT_TRUE(ClickButton(cancelled, "Cancel"));
  EXPECT_EQ(cancelled.result(), QDialog::Rejected);
}

// On a box 100 wide and almost no height, level L of num x n has
// (n - 2) 2^(L-1) + 3 nodes across, at most 32767.
TEST(FxyDialogLimits, TheLargestNumXOfferedCanBeGridded) {
  KFxyInput flat;
  for (auto [x, y] : {std::pair{0., 0.}, {100., 0.}, {50., 0.001}}) flat.points.push_back({x, y, x / 10});
  KFxyDialogData data;
  ProposeFxyGrid(flat, data);
  CGetFxyDlg dialog(flat, data);
  for (auto [times, largest] : {std::pair{"1", 32766}, {"3", 8193}, {"5", 2049}}) {
    TypeInto(dialog.Times(), times);
    EXPECT_EQ(dialog.NumX().maximum(), largest) << times;
    dialog.NumX().setValue(largest);
    EXPECT_TRUE(PlanFxyLevels(flat, data).ok()) << times;
  }
  EXPECT_EQ(data.numX, 2049);  // brought down with the times that no longer fit it
}

TEST(FxyQuestion, EndNextAndContinueGiveTheirChoices) {
  for (auto [button, choice, accepted] : {std::tuple{"&End", KFxyAnswer::kEnd, true},
                                         {"Next", KFxyAnswer::kNext, true},
                                         {"Continue", KFxyAnswer::kContinue, false}}) {
    CHowToContinueDlg question;
    ASSERT_TRUE(ClickButton(question, button));
    EXPECT_EQ(question.Choice(), choice) << button;
    EXPECT_EQ(question.result() == QDialog::Accepted, accepted) << button;
  }
}

TEST_F(FxyTest, StatusWindowRunsTheLevelsAndReportsWhenDone) {
  data.times = 2;
  int done = 0;
  KResultWith<KFxyRun> outcome{KFxyRun{}};
  QString levelLine;
  QPointer<CViewPlayDlg> window;
  window = new CViewPlayDlg(input, data, [&](const KResultWith<KFxyRun>& r, const std::string&) {
    ++done;
    outcome = r;
    levelLine = window->Line(10, 50);
  });
  window->setAttribute(Qt::WA_DeleteOnClose);
  window->show();
  window->Start();
  QTRY_COMPARE_WITH_TIMEOUT(done, 1, 20000);
  EXPECT_TRUE(outcome.ok()) << outcome.message();
  EXPECT_EQ(outcome.value().levelsRun, 2);
  EXPECT_EQ(levelLine, "2/2");
  EXPECT_TRUE(std::filesystem::exists(data.output));
  QTRY_VERIFY(window.isNull());  // closed on success
}

// A run long enough to be interrupted.
class LongRunTest : public FxyTest {
protected:
  void SetUp() override {
    data.numX = 400;
    data.times = 4;
    data.pre = 1e-12;
    OnFxyNumXChanged(data);
    window = std::make_unique<CViewPlayDlg>(input, data, [this](const KResultWith<KFxyRun>& r, const std::string&) {
      ++done;
      status = r.status();
    });
    window->show();
    window->Start();
    QTest::qWait(50);
    ASSERT_TRUE(window->Running());
  }
  int done = 0;
  KStatus status = KStatus::kOk;
  std::unique_ptr<CViewPlayDlg> window;
};

TEST_F(LongRunTest, AClickAsksAndEndStopsTheRun) {
  QTest::mouseClick(window.get(), Qt::LeftButton);
  auto* question = window->findChild<CHowToContinueDlg*>();
  ASSERT_NE(question, nullptr);
  EXPECT_TRUE(question->isVisible());
  ASSERT_TRUE(ClickButton(*question, "&End"));
  QTRY_COMPARE_WITH_TIMEOUT(done, 1, 20000);
  EXPECT_EQ(status, KStatus::kCancelled);
  EXPECT_FALSE(std::filesystem::exists(data.output));
}

TEST_F(LongRunTest, TheQuestionHoldsTheRunUntilItIsAnswered) {
  QTest::mouseClick(window.get(), Qt::LeftButton);
  auto* question = window->findChild<CHowToContinueDlg*>();
  ASSERT_NE(question, nullptr);
  QTest::qWait(200);  // lines sent before the worker stopped arrive
  const QString held = window->Line(50, 30);
  QTest::qWait(300);
  EXPECT_EQ(window->Line(50, 30), held);
  ASSERT_TRUE(ClickButton(*question, "Continue"));
  QTRY_VERIFY_WITH_TIMEOUT(window->Line(50, 30) != held, 10000);
}

TEST_F(FxyTest, EndAnsweredAfterTheLastLevelStillWritesNothing) {
  int done = 0;
  KStatus status = KStatus::kOk;
  CViewPlayDlg window(input, data, [&](const KResultWith<KFxyRun>& r, const std::string&) {
    ++done;
    status = r.status();
  });
  window.Asking();  // a question open all through this short run
  window.Start();
  QTest::qWait(300);
  EXPECT_EQ(done, 0);
  window.Answer(KFxyAnswer::kEnd);
  QTRY_COMPARE_WITH_TIMEOUT(done, 1, 20000);
  EXPECT_EQ(status, KStatus::kCancelled);
  EXPECT_FALSE(std::filesystem::exists(data.output));
}

TEST_F(LongRunTest, ClosingTheStatusWindowEndsTheRunWithoutOutput) {
  window->close();
  EXPECT_FALSE(window->Running());
  QTest::qWait(20);
  EXPECT_EQ(done, 0);
  EXPECT_FALSE(std::filesystem::exists(data.output));
}

TEST_F(FxyTest, GetFxyRunsFromTheViewAndReportsTheViewerStart) {
  KView view;
  view.Window().OnOpenDocumentMem("Layer M f(x,y)\\xyz\nXYZ\n0,0,1\n100,0,2\n0,80,3\n100,80,5\n40,30,2\n\n");
  view.Window().fxy.output = data.output;
  view.Window().fxy.times = 2;
  QStringList status;
  view.onStatus = [&](const QString& line) { status << line; };
  const AcceptingDialogs accepting;
  EXPECT_EQ(view.Window().GetFxy(view.Host()), 1);
  QTRY_COMPARE_WITH_TIMEOUT(status.size(), 3, 20000);
  EXPECT_EQ(status[0].toStdString(), "f(x,y): 5 points from f(x,y)\\xyz; 0 break lines from f(x,y)\\break; "
                                     "0 outlines from f(x,y)\\outline");
  EXPECT_EQ(status[1].toStdString(), "f(x,y): wrote " + data.output);
  // No viewer is built beside the test program or on its PATH here: the
  // failure to start it is reported, not dropped.
  EXPECT_TRUE(status[2].contains("quarvel-fxy")) << status[2].toStdString();
  EXPECT_TRUE(std::filesystem::exists(data.output));
}

TEST_F(FxyTest, GriddingStartsAgainAfterAFailedRun) {
  KView view;
  view.Window().OnOpenDocumentMem("Layer M f(x,y)\\xyz\nXYZ\n0,0,1\n100,0,2\n0,80,3\n100,80,5\n\n");
  view.Window().fxy.output = dir.File("no/such/folder/net");
  view.Window().fxy.times = 1;
  QStringList status;
  view.onStatus = [&](const QString& line) { status << line; };
  const AcceptingDialogs accepting;
  ASSERT_EQ(view.Window().GetFxy(view.Host()), 1);
  QTRY_COMPARE_WITH_TIMEOUT(status.size(), 2, 20000);
  EXPECT_TRUE(status[1].contains("cannot write")) << status[1].toStdString();
  EXPECT_EQ(view.Window().GetFxy(view.Host()), 1);
  QTRY_COMPARE_WITH_TIMEOUT(status.size(), 4, 20000);
}

// The layers chosen in the editor are those gridded: the faults' layer
// ticked for faults, the default one unticked.
TEST_F(FxyTest, TheLayerDialogChoosesWhatIsGridded) {
  QuarvelWindow window;
  window.OnOpenDocumentMem("Layer M f(x,y)\\xyz\nXYZ\n0,0,1\n100,0,2\n0,80,3\n\n"
                           "Layer M faults\nPline\n50,-10\n50,90\n\nLayer M f(x,y)\\break\n");
  KFxyLayerChoice choice;
  CFxyLayersDlg dialog(window, choice);
  ASSERT_EQ(dialog.List(1).count(), 3);  // f(x,y)\xyz, faults, f(x,y)\break
  for (int row = 0; row < 3; ++row) {
    QListWidgetItem* item = dialog.List(1).item(row);
    item->setCheckState(item->text() == "faults" ? Qt::Checked : Qt::Unchecked);
  }
  dialog.accept();
  EXPECT_EQ(choice.breaks, std::vector<std::string>{"faults"});
  EXPECT_EQ(choice.points, std::vector<std::string>{"f(x,y)\\xyz"});
  EXPECT_EQ(choice.outlines, std::vector<std::string>{"f(x,y)\\outline"});  // not drawn on yet: kept
  EXPECT_EQ(GatherFxyInput(window, choice).breaks.size(), 1u);
}

}  // namespace
