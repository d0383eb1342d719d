#pragma once
// The editor's Export dialog: the picture's size in pixels, its resolution
// (dots per inch, which sizes the page of an SVG or PDF), and the
// decorations of a plot-ready picture: margin, ticks, scale bar, north
// arrow and a colour bar per grid.
#include <QDialog>
#include <QSize>

#include "render/plot/plot_layout.h"

class QCheckBox;
class QDoubleSpinBox;
class QSpinBox;

struct KExportChoice {
  QSize size;
  int dotsPerInch = 96;
  KPlotOptions plot;  // margin 0 and no decorations: the view as shown
  bool legend = false;

  // Whether the picture is the view as shown, not laid out.
  bool AsShown() const { return plot.margin == 0 && !plot.Decorated() && !legend; }
};

class KExportDialog : public QDialog {
public:
  // Starts at size (the view's) with no margin or decorations.
  explicit KExportDialog(QSize size, QWidget* parent = nullptr);

  KExportChoice Choice() const;

  QSpinBox& Width() { return *width_; }
  QSpinBox& Height() { return *height_; }
  QSpinBox& Resolution() { return *dpi_; }
  QDoubleSpinBox& MarginPercent() { return *margin_; }
  QCheckBox& Ticks() { return *ticks_; }
  QCheckBox& ScaleBar() { return *scaleBar_; }
  QCheckBox& NorthArrow() { return *arrow_; }
  QCheckBox& Legend() { return *legend_; }

private:
  QSpinBox* width_ = nullptr;
  QSpinBox* height_ = nullptr;
  QSpinBox* dpi_ = nullptr;
  QDoubleSpinBox* margin_ = nullptr;
  QCheckBox* ticks_ = nullptr;
  QCheckBox* scaleBar_ = nullptr;
  QCheckBox* arrow_ = nullptr;
  QCheckBox* legend_ = nullptr;
};
