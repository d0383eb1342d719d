#include "qt/fxy/fxy_dialog.h"

#include "model/grid/kcreate_grid.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {

// Enough digits to give a typed value back unchanged; always a '.' decimal.
QString Text(double v) { return QString::number(v, 'g', 12); }

}  // namespace

CGetFxyDlg::CGetFxyDlg(const KFxyInput& input, KFxyDialogData& data, QWidget* parent)
    : QDialog(parent), input_(input), data_(data) {
  auto* grid = new QGridLayout;
  int row = 0;
  const auto put = [&](const char* label, QWidget* control, int column) {
    grid->addWidget(new QLabel(label, this), row, column * 2);
    grid->addWidget(control, row, column * 2 + 1);
  };
  numX_ = new QSpinBox(this);
  numX_->setRange(3, KCreateGrid::kMaxAxisNodes);  // fewer than 3 nodes give no step; WriteControls bounds it
  numX_->setObjectName("numX");
  numY_ = new QLineEdit(this);
  numY_->setReadOnly(true);
  numY_->setObjectName("numY");
  put("num x", numX_, 0);
  put("num y", numY_, 1);
  ++row;
  put("delt x", AddNumber("deltX", &data.deltX), 0);
  put("delt y", AddNumber("deltY", &data.deltY), 1);
  ++row;
  put("min x", AddNumber("minX", &data.minX), 0);
  put("min y", AddNumber("minY", &data.minY), 1);
  ++row;
  put("max x", AddNumber("maxX", &data.maxX), 0);
  put("max y", AddNumber("maxY", &data.maxY), 1);
  ++row;
  times_ = new QSpinBox(this);
  times_->setRange(0, 30);  // 0 runs one level, as 1 does
  times_->setObjectName("times");
  put("times", times_, 0);
  put("pre", AddNumber("pre", &data.pre), 1);
  ++row;
  put("smooth", AddNumber("smooth", &data.smooth), 0);
  ++row;
  put("min", AddNumber("zMin", &data.zMin, true), 0);
  put("max", AddNumber("zMax", &data.zMax, true), 1);
  ++row;
  put("delta", AddNumber("zDelta", &data.zDelta, true), 0);
  ++row;
  output_ = new QLineEdit(this);
  output_->setObjectName("output");
  grid->addWidget(new QLabel("output", this), row, 0);
  grid->addWidget(output_, row, 1, 1, 3);

  refusal_ = new QLabel(this);
  refusal_->setStyleSheet("color: #b00000");
  refusal_->setWordWrap(true);
  auto* box = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  connect(box, &QDialogButtonBox::accepted, this, &CGetFxyDlg::accept);
  connect(box, &QDialogButtonBox::rejected, this, &CGetFxyDlg::reject);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(grid);
  layout->addWidget(refusal_);
  layout->addWidget(box);

  WriteControls();
  connect(numX_, &QSpinBox::valueChanged, this, &CGetFxyDlg::OnNumXChanged);
  connect(times_, &QSpinBox::valueChanged, this, &CGetFxyDlg::OnTimesChanged);
}

QLineEdit* CGetFxyDlg::AddNumber(const char* name, double* value, bool readOnly) {
  auto* edit = new QLineEdit(this);
  edit->setObjectName(name);
  edit->setReadOnly(readOnly);
  numbers_.push_back({edit, value, readOnly});
  return edit;
}

QLineEdit& CGetFxyDlg::Field(const char* name) const { return *findChild<QLineEdit*>(name); }

QString CGetFxyDlg::Refusal() const { return refusal_->text(); }

void CGetFxyDlg::WriteControls() {
  const QSignalBlocker bx(numX_), bt(times_);
  // Only counts that can be gridded with the other values are offered; a
  // num x beyond them comes down to the largest, with its steps.
  const int largest = LargestFxyNumX(input_, data_);
  if (data_.numX > largest) {
    data_.numX = largest;
    OnFxyNumXChanged(data_);
  }
  numX_->setMaximum(largest);
  numX_->setValue(data_.numX);
  times_->setValue(data_.times);
  numY_->setText(QString::number(data_.numY));
  for (const Number& n : numbers_)
    n.edit->setText(Text(*n.value));
  output_->setText(QString::fromLocal8Bit(data_.output.c_str()));
  setWindowTitle(QString::fromStdString(FxyCaption(data_)));
}

bool CGetFxyDlg::ReadControls() {
  data_.numX = numX_->value();
  data_.times = times_->value();
  data_.output = output_->text().toLocal8Bit().toStdString();
  for (const Number& n : numbers_) {
    if (n.readOnly) continue;
    bool ok = false;
    const double v = n.edit->text().trimmed().toDouble(&ok);  // C locale: '.' decimal
    if (!ok) {
      refusal_->setText(n.edit->objectName() + ": '" + n.edit->text() + "' is not a number");
      return false;
    }
    *n.value = v;
  }
  return true;
}

void CGetFxyDlg::OnNumXChanged() {
  if (!ReadControls()) return;
  OnFxyNumXChanged(data_);
  WriteControls();
}

void CGetFxyDlg::OnTimesChanged() {
  // The controls are filled with signals blocked, so every notification here
  // is the user's: each one updates the caption.
  if (!ReadControls()) return;
  WriteControls();
}

void CGetFxyDlg::accept() {
  refusal_->clear();
  if (!ReadControls()) return;
  if (const auto plan = PlanFxyLevels(input_, data_); !plan) {
    refusal_->setText(QString::fromLocal8Bit(plan.message().c_str()));
    return;
  }
  QDialog::accept();
}
