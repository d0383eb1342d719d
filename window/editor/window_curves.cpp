// Digitised curves becoming entries, and the undoable curve edits.
#include "model/curves/curve_edit.h"
#include "io/document/open_document.h"
#include "model/document/klayer.h"
#include "window/editor/quarvel_window.h"

void QuarvelWindow::AddCollected() {
  AddEntry(kKindPolyline, std::make_unique<KCurve>(input_.TakeCollected()));
  modified_ = true;
}

bool QuarvelWindow::FinishCurve() {
  if (input_.Collected().Empty()) return false;
  history_.Begin(*this, {}, "Curve");
  AddCollected();
  // A curve on a hidden or locked layer would seem to vanish.
  PlaceNewEntries(entries.size() - 1, "curve");
  history_.Commit(*this);
  return true;
}

bool QuarvelWindow::FinishAndModify() {
  if (input_.Collected().Empty()) return false;
  // One step: undoing it brings the old curve back and the stroke goes.
  history_.Begin(*this, {}, "Modify curve");
  AddCollected();
  const int target = ModifyTarget(*this);
  if (target >= 0) history_.Changing(entries[static_cast<std::size_t>(target)].get());
  ::ModifyNearestCurve(*this, history_.Removed());
  // With no curve to splice into, the stroke stays as a new curve.
  if (target < 0) PlaceNewEntries(entries.size() - 1, "curve");
  history_.Commit(*this);
  return true;
}

bool QuarvelWindow::ModifyNearestCurve() {
  const int target = ModifyTarget(*this);
  if (target < 0) return false;
  history_.Begin(*this, {entries[static_cast<std::size_t>(target)].get()}, "Modify curve");
  const KModifyOutcome outcome = ::ModifyNearestCurve(*this, history_.Removed());
  history_.Commit(*this);
  if (outcome == KModifyOutcome::kSpliced) modified_ = true;
  return outcome == KModifyOutcome::kSpliced;
}

bool QuarvelWindow::TrimNearestCurve(double x1, double y1, double x2, double y2) {
  const int target = TrimTarget(*this, x1, y1, x2, y2);
  if (target < 0) return false;
  history_.Begin(*this, {entries[static_cast<std::size_t>(target)].get()}, "Trim curve");
  const bool trimmed = ::TrimNearestCurve(*this, x1, y1, x2, y2);
  history_.Commit(*this);
  if (trimmed) modified_ = true;
  return trimmed;
}

KResult QuarvelWindow::MergeCurves(const std::string& path) {
  history_.Begin(*this, {}, "Merge curves");
  const std::size_t from = entries.size();
  KResult opened = OpenCurveFile(*this, path);
  if (opened) PlaceNewEntries(from, "merged curves");
  history_.Commit(*this);
  if (!opened) return opened;
  ComputeExtent();
  modified_ = true;
  return opened;
}
