// Painting, fitting the view, rectangle deletion and the status text.
#include <algorithm>
#include <cstdio>

#include "model/document/kcurve.h"
#include "model/document/klayer.h"
#include "model/grid/kxyz_list.h"
#include "platform/base/c_locale.h"
#include "render/drawing/krenderer.h"
#include "window/editor/quarvel_window.h"

namespace {
// Curve modes whose status line explains how to click.
constexpr int kStateDrawCurve = 32805;
constexpr int kStateDrawAndModify = 32806;
}  // namespace

void QuarvelWindow::OnDraw(KDevice* device) {
  if (entries.empty() || !device) return;
  view_.PaintStarted(device->ClientSize());
  if (!view_.Fitted()) Extend();
  // A paint starts with lines copied, whatever the rubber band left set on a
  // device that is kept between paints.
  device->SetRop2(kRop2CopyPen);
  KRenderer renderer(*device);
  renderer.DrawDocument(*this, view);
  view_.PaintEnded(renderer.InsertBudgetHit());
  device->Flush();
}

void QuarvelWindow::Delete() {
  const KDevicePoint& a = rubberBand[0];
  const KDevicePoint& b = rubberBand[1];
  const double xmin = view.ToWorldX(std::min(a.x, b.x));
  const double xmax = view.ToWorldX(std::max(a.x, b.x));
  const double ymin = view.ToWorldY(std::max(a.y, b.y));
  const double ymax = view.ToWorldY(std::min(a.y, b.y));
  std::vector<const KEntry*> lists;
  for (const auto& entry : entries)
    if (entry->kind == kKindXyz && entry->layer && entry->layer->state == kViewAndEdit) lists.push_back(entry.get());
  history_.Begin(*this, lists, "Delete");
  DeleteInRect(xmin, ymin, xmax, ymax, history_.Removed());
  if (history_.Commit(*this)) modified_ = true;
}

int QuarvelWindow::DeleteInRect(double minX, double minY, double maxX, double maxY,
                                std::vector<std::unique_ptr<KEntry>>* removedEntries) {
  int removed = 0;
  auto it = entries.begin();
  while (it != entries.end()) {
    KEntry& entry = **it;
    if (!entry.layer || entry.layer->state != kViewAndEdit) {
      ++it;
      continue;
    }
    if (entry.kind == kKindPolyline) {
      const KCurve* curve = entry.As<KCurve>();
      if (curve && curve->IntersectsRect(minX, minY, maxX, maxY)) {
        if (removedEntries) removedEntries->push_back(std::move(*it));
        it = entries.erase(it);
        ++removed;
        continue;
      }
    } else if (entry.kind == kKindXyz) {
      if (KXyzList* list = entry.As<KXyzList>()) removed += list->RemoveInRect(minX, minY, maxX, maxY);
    }
    ++it;
  }
  return removed;
}

std::string QuarvelWindow::GetRemark(KDevicePoint point) const {
  if (viewState == kStateDrawCurve) return "Drawing curve,Click point,one by one";
  if (viewState == kStateDrawAndModify) return "Drawing curve,Click point,one by one,then modify curve";
  KCLocaleScope cLocale;
  char buffer[800];  // "%lf" of the largest double is over 300 characters
  std::snprintf(buffer, sizeof buffer, "%lf,%lf", view.ToWorldX(point.x), view.ToWorldY(point.y));
  return buffer;
}
