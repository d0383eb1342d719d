#include "qt/view/kabout.h"

#include <QDialogButtonBox>
#include <QVBoxLayout>

#include "qt/view/kview.h"

KAbout::KAbout(QWidget* parent) : QDialog(parent) {
  setWindowTitle("About Quarvel");
  view_ = new KView(this);
  view_->setMinimumSize(400, 240);
  auto* box = new QDialogButtonBox(QDialogButtonBox::Ok, this);
  connect(box, &QDialogButtonBox::accepted, this, &QDialog::accept);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(view_, 1);
  layout->addWidget(box);
  Refill();
}

void KAbout::Set(std::string& row, const QString& text) {
  row = text.toUtf8().toStdString();
  Refill();
}

void KAbout::Refill() {
  QuarvelWindow& window = view_->Window();
  window.entries.clear();
  window.OnOpenDocumentMem(AboutScript(rows_));
  window.ViewPart().SetFitted(false);  // fit the card at the next paint
  view_->Refresh();
}
