#pragma once
// Where a plot-ready picture puts things: the drawing's frame inside a
// margin, and the decorations around it (coordinate ticks and labels along
// the frame, a scale bar below it, a strip on the right for the north arrow
// and one colour bar per grid), never over the drawing. Pure geometry in
// device pixels, so that the picture programs and the editor share it and a
// table test can check it by hand.
#include <string>
#include <vector>

#include "model/document/kextent.h"
#include "platform/device/kdevice.h"
#include "render/view/kview_transform.h"

struct KIntRect {
  int left = 0, top = 0, width = 0, height = 0;
  int right() const { return left + width; }
  int bottom() const { return top + height; }
};

struct KPlotOptions {
  double margin = 0.04;  // of the picture's shorter side, on every side
  bool ticks = false;
  bool scaleBar = false;
  bool northArrow = false;
  int legends = 0;       // colour bars in the right strip
  // Colour bars mark multiples of this (the contour interval; 0: a round
  // step of their own).
  double legendStep = 0;
  // World units per pixel; 0 fits the extent into the room left.
  double fixedScale = 0;

  bool Decorated() const { return ticks || scaleBar || northArrow || legends > 0; }
};

struct KPlotLayout {
  bool ok = false;
  std::string problem;  // why not ok
  int unit = 0;         // text height of labels, pixels; other sizes follow it
  KViewTransform view;  // the whole picture, the extent on the frame
  KIntRect room;        // where the frame may lie
  KIntRect frame;       // the extent's rectangle
  KIntRect scaleBar;    // bar and its labels; empty when not asked
  KIntRect northArrow;
  std::vector<KIntRect> legends;  // colour bar strips, top down
};

// The text height decorations are drawn at on a picture of this size.
int PlotUnit(KIntSize picture);

// Lays out a picture of the given size around the extent (world units,
// y up). Not ok when the extent is empty or not finite, or nothing is left
// for the frame, or a fixed scale makes the frame larger than its room.
KPlotLayout LayoutPlot(KIntSize picture, const KExtent& extent, const KPlotOptions& options);
