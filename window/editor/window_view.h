#pragma once
// What the drawing window shows its document through: the world <-> device
// mapping, whether it has been fitted, and what the latest paint found.
#include "model/document/kextent.h"
#include "platform/device/kdevice.h"
#include "render/view/kview_transform.h"

class KWindowView {
public:
  KViewTransform transform;

  // Whether the transform has been fitted to the extent. The first paint of
  // a non-empty document fits it (and tries again at later paints while the
  // extent cannot be fitted); after that only Fit fits again, so opening
  // more into the window leaves the view as it is. A host clears it to have
  // the next paint fit, or sets it to keep a transform of its own.
  bool Fitted() const { return fitted_; }
  void SetFitted(bool fitted) { fitted_ = fitted; }
  // Fits the transform to the extent in the client area of the latest paint
  // (before any paint, an empty one: the first paint fits again).
  void Fit(const KExtent& extent) {
    fitted_ = transform.Fit(paintedSize_, extent.minX, extent.minY, extent.maxX, extent.maxY);
  }

  // A paint tells its client size when it starts and, when it ends, whether
  // it left inserted blocks out (blocks inserting each other over and over
  // would otherwise take without end).
  void PaintStarted(KIntSize client) { paintedSize_ = client; }
  void PaintEnded(bool cut) { paintCut_ = cut; }
  KIntSize PaintedSize() const { return paintedSize_; }
  bool PaintCut() const { return paintCut_; }

private:
  bool fitted_ = false;
  bool paintCut_ = false;
  KIntSize paintedSize_;
};
