// A step list at the head of the document: the command under the mouse and
// running it.
#include <cmath>

#include "model/document/elements.h"
#include "window/editor/command_line.h"
#include "window/editor/quarvel_window.h"

namespace {
// The step under world y: step 0 for y in (0, 2), step i for (-i, 1 - i];
// -1 when there is none.
KStep* StepAt(const QuarvelWindow& window, KDevicePoint point) {
  if (window.entries.empty() || window.entries.front()->kind != kKindStepList) return nullptr;
  KStepList* list = window.entries.front()->As<KStepList>();
  if (!list) return nullptr;
  // In doubles: a far point must not overflow an int on the way.
  const double index = -std::trunc(window.view.ToWorldY(point.y) - 1.0);
  if (!(index >= 0.0 && index < list->Count())) return nullptr;
  return &list->steps[static_cast<std::size_t>(index)];
}
}  // namespace

const char* QuarvelWindow::OnMouseMoveStep(unsigned, KDevicePoint point) const {
  const KStep* step = StepAt(*this, point);
  return step && !step->command.empty() ? step->command.c_str() : nullptr;
}

int QuarvelWindow::OnLButtonUpStep(unsigned, KDevicePoint point, KWindowHost* host) {
  KStep* step = StepAt(*this, point);
  if (!step || !step->hasCommand) return 0;
  ++step->runCount;
  if (!host) return 0;
  const std::vector<std::string> words = SplitCommandLine(step->command);
  KResult started = words.empty() ? KResult(KStatus::kRefused, "the step's command is empty")
                                  : host->StartDetached(words[0], {words.begin() + 1, words.end()});
  notice = started ? "" : "Step command did not start: " + started.message();
  if (!started) host->ShowStatus(notice);
  return 0;
}
