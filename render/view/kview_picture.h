#pragma once
// A picture built once and drawn through a view, so that a viewer pans and
// zooms it without rebuilding anything (the net grid, the seismic section).
#include "platform/device/kdevice.h"
#include "render/view/kview_transform.h"

class KViewPicture {
public:
  virtual ~KViewPicture() = default;
  // The view showing the whole picture in a client area of that size.
  virtual KViewTransform Fit(KIntSize client) const = 0;
  // Paints everything at the view; what stays put (a colour bar, axes)
  // follows the device's client size.
  virtual void Draw(KDevice& device, const KViewTransform& view) const = 0;
};
