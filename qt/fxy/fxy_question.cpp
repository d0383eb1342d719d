#include "qt/fxy/fxy_question.h"

#include <QPushButton>
#include <QVBoxLayout>

CHowToContinueDlg::CHowToContinueDlg(QWidget* parent) : QDialog(parent) {
  setWindowTitle("Gridding");
  auto* layout = new QVBoxLayout(this);
  auto* end = new QPushButton("&End", this);
  auto* next = new QPushButton("Next", this);
  auto* go_on = new QPushButton("Continue", this);
  auto* write = new QPushButton("Write...", this);
  write->setEnabled(false);  // writing a level's grid mid-run is not offered
  end->setDefault(true);
  for (QPushButton* b : {end, next, go_on, write}) layout->addWidget(b);
  connect(end, &QPushButton::clicked, this, [this] { Choose(KFxyAnswer::kEnd); });
  connect(next, &QPushButton::clicked, this, [this] { Choose(KFxyAnswer::kNext); });
  connect(go_on, &QPushButton::clicked, this, &QDialog::reject);
}

void CHowToContinueDlg::Choose(KFxyAnswer choice) {
  choice_ = choice;
  accept();
}
