// STEP files: the step list at the head, then a drawing.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "model/document/elements.h"
#include "io/document/open_document.h"
#include "io/document/record_readers.h"
#include "model/document/kones.h"
#include "tests/support/reading.h"

namespace {

class StepList : public ReaderTest {
protected:
  std::unique_ptr<KStepList> Steps(const std::string& text) {
    in = &Input(text);
    return ReadStepList(in->ctx);
  }
  ElementInput* in = nullptr;
};
INSTANTIATE_READER_TEST(StepList);

TEST_P(StepList, EachKindOfLine) {
  auto list = Steps(
      "REM Preparation\n"
      "'load the survey first\n"
      "#0003 viewer.sh survey.qvd\n"
      "\n"
      "rem grid it\n"
      "gridder --fast\n"
      "#12\n"
      "REMOVE old\n"
      "#12345 run.sh\n"
      "#9999999999 a\n"
      "''\n"
      "POINT 1,1 ignored-by-the-list\n");
  // Run count, command?, remark?, comment?, then the texts. A comment
  // belongs to the step that follows it; "#12" is shorter than "#0000 ";
  // "REM" must be followed by a blank.
  const auto text = [](const KStep& s) {
    return std::to_string(s.runCount) + " " + std::to_string(s.hasCommand) + std::to_string(s.hasRemark) +
           std::to_string(s.hasComment) + " [" + s.command + "][" + s.remark + "][" + s.comment + "]";
  };
  std::vector<std::string> got;
  for (const KStep& s : list->steps) got.push_back(text(s));
  EXPECT_EQ(got, (std::vector<std::string>{
                     "0 010 [][Preparation][]",
                     "3 101 [viewer.sh survey.qvd][][load the survey first]",
                     "0 001 [][][]",
                     "0 010 [][grid it][]",
                     "0 100 [gridder --fast][][]",
                     "12 100 [][][]",
                     "0 100 [REMOVE old][][]",
                     "12345 100 [run.sh][][]",       // a longer count moves the command
                     "2147483647 100 [a][][]",       // beyond an int: the largest, reported
                 }));
  ASSERT_EQ(in->issues.size(), 1u);
  EXPECT_EQ(in->issues[0].what, "step run count out of range");
}

TEST_P(StepList, EmptyListAndMissingTerminator) {
  EXPECT_EQ(Steps("''\nstep\n")->Count(), 0);
  EXPECT_EQ(Steps("")->Count(), 0);
  // Without the "''" line every line is a step; a last unterminated line is
  // not read.
  EXPECT_EQ(Steps("a\nb\nc")->Count(), 2);
}

TEST_P(StepList, TrailingCommentHasNoStepAndIsReported) {
  auto list = Steps("one\n'dangling\n''\n");
  ASSERT_EQ(list->Count(), 1);
  EXPECT_FALSE(list->steps[0].hasComment);
  EXPECT_EQ(in->issues.size(), 1u);
}

TEST_P(StepList, OfSeveralCommentsTheLastDescribesTheNextStep) {
  auto list = Steps("'a\n'b\none\n'c\n'd\n''\n");
  ASSERT_EQ(list->Count(), 1);
  EXPECT_EQ(list->steps[0].comment, "b");
  EXPECT_EQ(in->issues.size(), 2u);
}

TEST(StepFile, ListComesFirstThenTheDrawing) {
  TempDir dir;
  KOnes doc;
  OpenMemory(doc, "POINT 0,0 before\n");
  const KResultWith<KBlockEnd> opened =
      OpenStepFile(doc, dir.Write("plan.step", "#0001 run.sh\nREM heading\n''\nPOINT 1,2 w\nENDNEW\nPOINT 3,4 x\n"));
  ASSERT_TRUE(opened.ok()) << opened.message();
  EXPECT_EQ(opened.value(), KBlockEnd::kEndNew);
  ASSERT_EQ(doc.entries.size(), 3u);
  EXPECT_EQ(doc.entries[1]->kind, kKindStepList);
  EXPECT_EQ(doc.entries[1]->As<KStepList>()->Count(), 2);
  EXPECT_EQ(doc.entries[2]->kind, kKindPoint);
}

}  // namespace
