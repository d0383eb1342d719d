// The right button: the context menu and, while a curve is drawn, the curve
// menu, both shown by the host.
#include "platform/resources/menus.h"
#include "window/editor/input_controller.h"
#include "window/editor/quarvel_window.h"
#include "window/editor/view_states.h"

namespace {
const char* const kCurveFilter = "*.kcx|*.kcx|all file(*.*)|*.*||";
const char* const kDrawingFilter = "*.qvd|*.qvd|all file(*.*)|*.*||";

using Kind = KInputOutcome::Kind;
}  // namespace

KInputOutcome KInputController::OnRButtonDown(KDevicePoint point, KWindowHost* host) {
  if (IsCurveState(viewState)) return OnRButtonDownCurve(point, host);
  if (!host) return KInputOutcome::Of(Kind::kNothing);
  const int id = host->TrackPopup(MenuPopup(kMenuContext), point, viewState);
  notice_.clear();
  return id == kCmdNone ? KInputOutcome::Of(Kind::kNothing) : Choose(id, *host);
}

KInputOutcome KInputController::Choose(int id, KWindowHost& host) {
  switch (id) {
    case kCmdExtend:
      window_.Extend();
      return KInputOutcome::Command(id, Kind::kRepaint);
    case kCmdClass:
      host.ShowClassDialog(window_);
      break;
    case kCmdMergeCurves: {
      const std::string path = host.AskOpenFile("kcx", kCurveFilter);
      if (!path.empty())
        if (KResult merged = window_.MergeCurves(path); !merged) notice_ = merged.message();
      break;
    }
    case kCmdOpen: {
      const std::string path = host.AskOpenFile("qvd", kDrawingFilter);
      if (!path.empty())
        if (KResult opened = host.OpenDrawing(window_, path); !opened) notice_ = opened.message();
      break;
    }
    default:
      viewState = id;
      break;
  }
  return KInputOutcome::Command(id);
}

KResult KWindowHost::OpenDrawing(QuarvelWindow& window, const std::string& path) { return window.Open(path); }

KInputOutcome KInputController::ChooseMode(int id) {
  // A curve half drawn is kept as the curve menu's "end Drawing" keeps it,
  // and a pending rubber band is dropped: the new mode starts afresh.
  const bool finished = IsCurveState(viewState) && window_.FinishCurve();
  clickCount = 0;
  viewState = id;
  return finished ? KInputOutcome::Of(Kind::kCurveFinished) : KInputOutcome::Command(id);
}

KInputOutcome KInputController::OnRButtonDownCurve(KDevicePoint point, KWindowHost* host) {
  if (!host) return KInputOutcome::Of(Kind::kNothing);
  const int id = host->TrackPopup(MenuPopup(kMenuCurve), point, viewState);
  // Any other choice, cancel among them, does nothing.
  if (id != kCmdNextCurve && id != kCmdEndDrawing) return KInputOutcome::Of(Kind::kNothing);
  // In the modify states too the menu finishes the curve without splicing.
  clickCount = 0;
  window_.FinishCurve();
  if (id == kCmdEndDrawing) viewState = kCmdNone;
  return KInputOutcome::Command(id);
}
