#pragma once
// Where gridding takes its input: the drawing's layers listed three times,
// for the points, the faults (break lines) and the outlines, each ticked
// where the choice has it. Shown before the f(x,y) dialog.
#include <QDialog>

#include "model/grid/fxy_input.h"

class KOnes;
class QListWidget;

class CFxyLayersDlg : public QDialog {
public:
  // choice is read on construction and written on OK; a layer it names that
  // the drawing lacks is not listed and stays in it.
  CFxyLayersDlg(const KOnes& document, KFxyLayerChoice& choice, QWidget* parent = nullptr);

  void accept() override;
  // The list of role 0 points, 1 faults, 2 outlines.
  QListWidget& List(int role) const { return *lists_[role]; }

private:
  KFxyLayerChoice& choice_;
  QListWidget* lists_[3] = {};
};
