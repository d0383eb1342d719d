#include "qt/dialogs/embellish_dialog.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

CEmbellishCurveDlg::CEmbellishCurveDlg(QWidget* parent) : QDialog(parent) {
  setWindowTitle("Embellish");
  auto* buttons = new QVBoxLayout;
  for (const char* text : {"Arrow", "property", "inname", "location", "&Scale", "&Two mark", "name"})
    buttons->addWidget(new QPushButton(text, this));
  buttons->addStretch();
  list_ = new QListWidget(this);
  auto* columns = new QHBoxLayout;
  columns->addLayout(buttons);
  columns->addWidget(list_, 1);
  auto* box = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  box->button(QDialogButtonBox::Ok)->setText("&OK");
  box->button(QDialogButtonBox::Cancel)->setText("&Cancel");
  connect(box, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(box, &QDialogButtonBox::rejected, this, &QDialog::reject);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(columns);
  layout->addWidget(box);
  resize(520, 230);
}
