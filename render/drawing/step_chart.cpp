// The step chart of a STEP file: one row per step under a header row, with
// the sequence number, the run count and the step's text.
#include <cstdio>
#include <string>

#include "model/document/elements.h"
#include "render/drawing/krenderer.h"

namespace {

// Bar colours (COLORREF).
constexpr KColorRef kHeaderBar = 0xFF0000;     // blue
constexpr KColorRef kNumberBar = 0x5A0096;
constexpr KColorRef kEmptyRemarkBar = 0x7D00FF;
constexpr KColorRef kEmptyStepBar = 0x00FFFF;
constexpr KColorRef kRunBar = 0x0000FF;        // red: the step runs
constexpr KColorRef kSkipBar = 0x9B0000;
// Texts are drawn in yellow (COLORREF 0x00FFFF as a document colour).
constexpr int kTextColour = -65535;

constexpr double kBarHeight = 0.9;
constexpr double kTextHeight = 0.6;
constexpr double kTextWidth = 0.24;
constexpr double kNumberX = -4, kRunX = -2, kTextX = 0;
constexpr double kNumberWidth = 1.9, kTextBarWidth = 100;
constexpr double kHeaderY = 1;

// The header texts, in the code page of the drawings (GBK).
const char kHeaderNumber[] = "\xD0\xF2\xBA\xC5";                      // sequence number
const char kHeaderRuns[] = "\xB4\xCE\xCA\xFD";                        // run count
const char kHeaderText[] = "\x20\xD2\xC0\xB4\xCE\xD6\xB4\xD0\xD0";    // executed in order

std::string Number(int value) {
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "%3d", value);
  return buffer;
}

}  // namespace

int KRenderer::DrawStepList(const KStepList& list, const KViewTransform& view) {
  auto text = [&](double x, double y, const std::string& bytes) {
    KText record;
    record.x = x;
    record.y = y;
    record.height = kTextHeight;
    record.width = kTextWidth;
    record.text = bytes;
    DrawText(record, view, kTextColour);
  };
  int sequence = 0;

  FillWorldRect(view, kTextX, kHeaderY, kTextBarWidth, kBarHeight, kHeaderBar);
  FillWorldRect(view, kRunX, kHeaderY, kNumberWidth, kBarHeight, kHeaderBar);
  FillWorldRect(view, kNumberX, kHeaderY, kNumberWidth, kBarHeight, kHeaderBar);
  text(kNumberX, kHeaderY, kHeaderNumber);
  text(kRunX, kHeaderY, kHeaderRuns);
  text(kTextX, kHeaderY, kHeaderText);

  for (int k = 0; k < list.Count(); ++k) {
    const KStep& step = list.steps[static_cast<std::size_t>(k)];
    const double y = -k;
    FillWorldRect(view, kRunX, y, kNumberWidth, kBarHeight, kNumberBar);
    FillWorldRect(view, kNumberX, y, kNumberWidth, kBarHeight, kNumberBar);
    std::string rowText;
    if (step.hasRemark) {
      if (step.remark.empty()) {
        FillWorldRect(view, kTextX, y, kTextBarWidth, kBarHeight, kEmptyRemarkBar);
        continue;
      }
      FillWorldRect(view, kTextX, y, kTextBarWidth, kBarHeight, kNumberBar);
      rowText = step.remark;
    } else {
      if (step.hasComment)
        rowText = step.comment;
      else if (step.hasCommand)
        rowText = step.command;
      else {
        FillWorldRect(view, kTextX, y, kTextBarWidth, kBarHeight, kEmptyStepBar);
        continue;
      }
      FillWorldRect(view, kTextX, y, kTextBarWidth, kBarHeight, step.runCount != 0 ? kRunBar : kSkipBar);
      ++sequence;
    }
    text(kTextX + 0.1, y, rowText);
    const bool hasComment = step.hasComment && !step.comment.empty();
    const bool hasCommand = step.hasCommand && !step.command.empty();
    if (!hasComment && !hasCommand) continue;
    text(-3.5, y, Number(sequence));
    text(-1.5, y, Number(step.runCount));
  }
  return sequence;
}
