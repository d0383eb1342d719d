#pragma once
// The question a click on the gridding status window asks: end the whole
// run, go to the next level, or continue this one.
#include <QDialog>

class CHowToContinueDlg : public QDialog {
public:
  explicit CHowToContinueDlg(QWidget* parent = nullptr);
  // 1 "&End", 2 "Next"; 0 after "Continue" or when closed otherwise.
  int Choice() const { return choice_; }

private:
  void Choose(int choice);
  int choice_ = 0;
};
