// A step list at the head of the document: the command under the mouse and
// running it.
#include <cmath>

#include "model/document/elements.h"
#include "model/document/kones.h"
#include "window/editor/command_line.h"
#include "window/editor/input_controller.h"
#include "window/editor/window_view.h"

// The step under world y: step 0 for y in (0, 2), step i for (-i, 1 - i];
// null when there is none.
KStep* KInputController::StepAt(KDevicePoint point) const {
  const auto& entries = document_.entries;
  if (entries.empty() || entries.front()->kind != kKindStepList) return nullptr;
  KStepList* list = entries.front()->As<KStepList>();
  if (!list) return nullptr;
  // In doubles: a far point must not overflow an int on the way.
  const double index = -std::trunc(view_.transform.ToWorldY(point.y) - 1.0);
  if (!(index >= 0.0 && index < list->Count())) return nullptr;
  return &list->steps[static_cast<std::size_t>(index)];
}

const char* KInputController::OnMouseMoveStep(KDevicePoint point) const {
  const KStep* step = StepAt(point);
  return step && !step->command.empty() ? step->command.c_str() : nullptr;
}

KInputOutcome KInputController::OnLButtonUpStep(KDevicePoint point, KWindowHost* host) {
  KStep* step = StepAt(point);
  if (!step || !step->hasCommand) return KInputOutcome::Of(KInputOutcome::Kind::kNothing);
  // The chart shows the run count, so the run is a change even without a
  // host (which then runs nothing itself); a command that did not start
  // did not run.
  if (!host) {
    ++step->runCount;
    return KInputOutcome::Command(kCmdNone);
  }
  const std::vector<std::string> words = SplitCommandLine(step->command);
  KResult started = words.empty() ? KResult(KStatus::kRefused, "the step's command is empty")
                                  : host->StartDetached(words[0], {words.begin() + 1, words.end()});
  notice_ = started ? "" : "Step command did not start: " + started.message();
  if (!started) {
    host->ShowStatus(notice_);
    return KInputOutcome::Of(KInputOutcome::Kind::kNothing);
  }
  ++step->runCount;
  return KInputOutcome::Command(kCmdNone);
}
