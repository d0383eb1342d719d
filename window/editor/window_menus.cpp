// The right button: the context menu and, while a curve is drawn, the curve
// menu, both shown by the host.
#include "platform/resources/menus.h"
#include "window/editor/quarvel_window.h"
#include "window/editor/view_states.h"

namespace {
const char* const kCurveFilter = "*.kcx|*.kcx|all file(*.*)|*.*||";
const char* const kDrawingFilter = "*.qvd|*.qvd|all file(*.*)|*.*||";
}  // namespace

int QuarvelWindow::OnRButtonDown(unsigned flags, KDevicePoint point, KWindowHost* host) {
  if (IsCurveState(viewState)) return OnRButtonDownCurve(flags, point, host);
  if (!host) return 0;
  const int id = host->TrackPopup(MenuPopup(kMenuContext), point, viewState);
  notice.clear();
  switch (id) {
    case kCmdNone:
      return 0;
    case kCmdExtend:
      Extend();
      return 1;
    case kCmdClass:
      host->ShowClassDialog(*this);
      return 0;
    case kCmdMergeCurves: {
      const std::string path = host->AskOpenFile("kcx", kCurveFilter);
      if (!path.empty())
        if (KResult merged = MergeCurves(path); !merged) notice = merged.message();
      return 0;
    }
    case kCmdOpen: {
      const std::string path = host->AskOpenFile("qvd", kDrawingFilter);
      if (!path.empty())
        if (KResult opened = Open(path); !opened) notice = opened.message();
      return 0;
    }
    default:
      viewState = id;
      return 0;
  }
}

int QuarvelWindow::OnRButtonDownCurve(unsigned, KDevicePoint point, KWindowHost* host) {
  if (!host) return 0;
  const int id = host->TrackPopup(MenuPopup(kMenuCurve), point, viewState);
  // In the modify states too the menu finishes the curve without splicing.
  if (id == kCmdNextCurve || id == kCmdEndDrawing) {
    clickCount = 0;
    FinishCurve();
    if (id == kCmdEndDrawing) viewState = kCmdNone;
  }
  return 0;
}
