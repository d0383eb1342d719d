// The input's state beyond the handlers: the curve being drawn, the picked
// entry and cancelling what is pending.
#include "window/editor/input_controller.h"

#include "model/document/kones.h"

KInputController::KInputController(QuarvelWindow& window, KOnes& document, KWindowView& view)
    : window_(window), document_(document), view_(view) {}

bool KInputController::CancelPending() {
  const bool pending = clickCount > 0 || !collected_.Empty() || measure_.Count() > 0;
  clickCount = 0;
  collected_.Clear();
  measure_.Clear();
  return pending;
}

KCurve KInputController::TakeCollected() {
  KCurve curve = collected_.ToCurve();
  collected_.Clear();
  return curve;
}

const KEntry* KInputController::PickedEntry() const {
  const int n = static_cast<int>(document_.entries.size());
  if (picked_ < 0 || picked_ >= n) return nullptr;
  const KEntry* entry = document_.entries[static_cast<std::size_t>(n - 1 - picked_)].get();
  return entry == pickedEntry_ ? entry : nullptr;
}
