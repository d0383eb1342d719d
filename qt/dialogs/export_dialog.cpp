#include "qt/dialogs/export_dialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QSpinBox>
#include <algorithm>

namespace {

constexpr int kMaxSide = 16384;  // as "quarvel render --size"

QSpinBox* Spin(QWidget* parent, int lo, int hi, int value, const QString& suffix) {
  auto* spin = new QSpinBox(parent);
  spin->setRange(lo, hi);
  spin->setValue(value);
  spin->setSuffix(suffix);
  return spin;
}

}  // namespace

KExportDialog::KExportDialog(QSize size, QWidget* parent) : QDialog(parent) {
  setWindowTitle("Export picture");
  auto* form = new QFormLayout(this);
  width_ = Spin(this, 1, kMaxSide, std::clamp(size.width(), 1, kMaxSide), " px");
  height_ = Spin(this, 1, kMaxSide, std::clamp(size.height(), 1, kMaxSide), " px");
  dpi_ = Spin(this, 36, 2400, 96, " dpi");
  margin_ = new QDoubleSpinBox(this);
  margin_->setRange(0, 45);
  margin_->setSuffix(" %");
  ticks_ = new QCheckBox("Coordinate ticks", this);
  scaleBar_ = new QCheckBox("Scale bar (metres)", this);
  arrow_ = new QCheckBox("North arrow", this);
  legend_ = new QCheckBox("Colour bar for each grid", this);
  form->addRow("Width", width_);
  form->addRow("Height", height_);
  form->addRow("Resolution (SVG, PDF)", dpi_);
  form->addRow("Margin", margin_);
  for (QCheckBox* box : {ticks_, scaleBar_, arrow_, legend_}) form->addRow(box);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  form->addRow(buttons);
}

KExportChoice KExportDialog::Choice() const {
  KExportChoice choice;
  choice.size = QSize(width_->value(), height_->value());
  choice.dotsPerInch = dpi_->value();
  choice.plot.margin = margin_->value() / 100;
  choice.plot.ticks = ticks_->isChecked();
  choice.plot.scaleBar = scaleBar_->isChecked();
  choice.plot.northArrow = arrow_->isChecked();
  choice.legend = legend_->isChecked();
  return choice;
}
