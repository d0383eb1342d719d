// Digitised curves becoming entries, and the undoable curve edits.
#include "model/curves/curve_edit.h"
#include "io/document/open_document.h"
#include "model/document/klayer.h"
#include "render/drawing/collected_draw.h"
#include "window/editor/quarvel_window.h"

namespace {
constexpr const char* kDefaultLayer = "0";
}

void QuarvelWindow::AddCollected() {
  const KEntry& entry = AddEntry(kKindPolyline, std::make_unique<KCurve>(collected.ToCurve()));
  collected.Clear();
  modified = true;
  // The curve goes to the current layer as drawings have it; when that layer
  // is hidden the user would see nothing happen, so say where it went.
  if (entry.layer->state == kNotViewNotEdit)
    notice = "The curve went to the hidden layer '" + entry.layer->name + "'";
}

bool QuarvelWindow::FinishCurve() {
  if (collected.Empty()) return false;
  history.Begin(*this, {}, "Curve");
  AddCollected();
  history.Commit(*this);
  return true;
}

bool QuarvelWindow::FinishAndModify() {
  if (collected.Empty()) return false;
  // One step: undoing it brings the old curve back and the stroke goes.
  history.Begin(*this, {}, "Modify curve");
  AddCollected();
  const int target = ModifyTarget(*this);
  if (target >= 0) history.Changing(entries[static_cast<std::size_t>(target)].get());
  ::ModifyNearestCurve(*this, history.Removed());
  history.Commit(*this);
  return true;
}

void QuarvelWindow::DrawCollected(KDevice& device) {
  if (collected.Count() < 2) return;
  if (!CurrentLayer()) SelectLayer(kDefaultLayer);
  DrawAsNewCurve(device, view, *this, std::make_unique<KCurve>(collected.ToCurve()));
}

bool QuarvelWindow::ModifyNearestCurve() {
  const int target = ModifyTarget(*this);
  if (target < 0) return false;
  history.Begin(*this, {entries[static_cast<std::size_t>(target)].get()}, "Modify curve");
  const KModifyOutcome outcome = ::ModifyNearestCurve(*this, history.Removed());
  history.Commit(*this);
  if (outcome == KModifyOutcome::kSpliced) modified = true;
  return outcome == KModifyOutcome::kSpliced;
}

bool QuarvelWindow::TrimNearestCurve(double x1, double y1, double x2, double y2) {
  const int target = TrimTarget(*this, x1, y1, x2, y2);
  if (target < 0) return false;
  history.Begin(*this, {entries[static_cast<std::size_t>(target)].get()}, "Trim curve");
  const bool trimmed = ::TrimNearestCurve(*this, x1, y1, x2, y2);
  history.Commit(*this);
  if (trimmed) modified = true;
  return trimmed;
}

KResult QuarvelWindow::MergeCurves(const std::string& path) {
  history.Begin(*this, {}, "Merge curves");
  KResult opened = OpenCurveFile(*this, path);
  history.Commit(*this);
  if (!opened) return opened;
  ComputeExtent();
  modified = true;
  return opened;
}
