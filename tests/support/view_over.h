#pragma once
// A view for drawing tests, set directly rather than fitted to an extent.
#include "render/view/kview_transform.h"

// A view of scale world units per pixel over a client area, with the world
// point (left, bottom) at its bottom-left corner.
inline KViewTransform ViewOver(KIntSize client, double scale, double left = 0, double bottom = 0) {
  KViewTransform view;
  view.width = client.width;
  view.height = client.height;
  view.scaleX = view.scaleY = scale;
  view.left = left;
  view.bottom = bottom;
  view.right = left + view.width * scale;
  view.top = bottom + view.height * scale;
  return view;
}
