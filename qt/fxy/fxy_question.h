#pragma once
// The question a click on the gridding status window asks: end the whole
// run, go to the next level, or continue this one.
#include <QDialog>

#include "io/fxy/fxy_driver.h"

class CHowToContinueDlg : public QDialog {
public:
  explicit CHowToContinueDlg(QWidget* parent = nullptr);
  // kEnd after "&End", kNext after "Next"; kContinue after "Continue" or
  // when closed otherwise.
  KFxyAnswer Choice() const { return choice_; }

private:
  void Choose(KFxyAnswer choice);
  KFxyAnswer choice_ = KFxyAnswer::kContinue;
};
