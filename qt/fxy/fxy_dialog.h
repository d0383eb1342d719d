#pragma once
// The f(x,y) dialog: the proposed grid of the gathered input, editable, with
// the node counts after all refinements in its caption. OK is refused, with
// the reason shown in the dialog, when the values make no usable grid.
#include <QDialog>
#include <vector>

#include "io/fxy/fxy_driver.h"

class QLabel;
class QLineEdit;
class QSpinBox;

class CGetFxyDlg : public QDialog {
public:
  // data is read on construction and written back on every change and on OK.
  CGetFxyDlg(const KFxyInput& input, KFxyDialogData& data, QWidget* parent = nullptr);

  void accept() override;

  QSpinBox& NumX() { return *numX_; }
  QSpinBox& Times() { return *times_; }
  QLineEdit& Field(const char* name) const;   // by object name: "minX", "pre", ...
  QString Refusal() const;                    // why OK was refused; "" when not

private:
  QLineEdit* AddNumber(const char* name, double* value, bool readOnly = false);
  // Control texts into data; false (with the reason shown) when a number does
  // not read.
  bool ReadControls();
  void WriteControls();
  void OnNumXChanged();
  void OnTimesChanged();

  const KFxyInput& input_;
  KFxyDialogData& data_;
  QSpinBox* numX_ = nullptr;
  QSpinBox* times_ = nullptr;
  QLineEdit* numY_ = nullptr;
  QLineEdit* output_ = nullptr;
  QLabel* refusal_ = nullptr;
  struct Number {
    QLineEdit* edit;
    double* value;
    bool readOnly;  // derived values, display only
  };
  std::vector<Number> numbers_;
};
