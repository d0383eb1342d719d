#pragma once
// The picture of a node grid (a gridded surface): one coloured cell per
// node, the cut links drawn as fault lines, contour lines with their values,
// and a colour bar with the scale on the right. The grid, its image and its
// contours are built once; drawing maps them through a view, so a viewer
// pans and zooms without rebuilding anything.
#include <string>
#include <vector>

#include "model/contour/contour.h"
#include "model/contour/knode_grid.h"
#include "model/grid/kcolor_table.h"
#include "platform/device/kdevice.h"
#include "platform/device/kimage.h"
#include "render/view/kview_picture.h"
#include "render/view/kview_transform.h"

class KNetPicture : public KViewPicture {
public:
  // Colours of what is drawn over the cells; no cell colour is either.
  static constexpr KColorRef kContourColour = KRgb(0, 0, 0);
  static constexpr KColorRef kFaultColour = KRgb(255, 255, 255);
  // Width of the colour-bar strip on the right, in pixels.
  static constexpr int kLegendWidth = 100;

  explicit KNetPicture(KNodeGrid grid);

  const KNodeGrid& grid() const { return grid_; }
  const KColorTable& colours() const { return colours_; }
  // Value range of the nodes; lo > hi when no node holds a finite value.
  double lo() const { return lo_; }
  double hi() const { return hi_; }

  // Contours every step (0: none), levels at whole multiples of step.
  // Returns false, and draws no contours, when step would give more than
  // kMaxLevels levels or is not a finite positive number.
  static constexpr int kMaxLevels = 500;
  bool SetContourStep(double step);
  double contourStep() const { return step_; }
  const std::vector<KContourLine>& contours() const { return lines_; }

  // The view showing the whole grid centred in the client area left of the
  // colour bar.
  KViewTransform Fit(KIntSize client) const override;
  // Paints everything at the view; the colour bar stays where it is.
  void Draw(KDevice& device, const KViewTransform& view) const override;

  // The node nearest world (x, y): false outside the grid's cells.
  bool NodeAt(double x, double y, int& i, int& j) const;
  // How values are written in labels and the status line.
  static std::string FormatValue(double value);

private:
  void BuildImage();
  void DrawCells(KDevice& device, const KViewTransform& view) const;
  void DrawFaults(KDevice& device, const KViewTransform& view) const;
  void DrawContours(KDevice& device, const KViewTransform& view) const;
  void DrawLegend(KDevice& device, KIntSize client) const;

  KNodeGrid grid_;
  KColorTable colours_;
  KImage image_;
  double lo_ = 1, hi_ = 0;
  double step_ = 0;
  std::vector<KContourLine> lines_;
};
