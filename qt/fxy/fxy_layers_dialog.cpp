#include "qt/fxy/fxy_layers_dialog.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "model/document/klayer.h"
#include "model/document/kones.h"

CFxyLayersDlg::CFxyLayersDlg(const KOnes& document, KFxyLayerChoice& choice, QWidget* parent)
    : QDialog(parent), choice_(choice) {
  setWindowTitle("Gridding layers");
  auto* grid = new QGridLayout;
  const char* const titles[3] = {"Points (x, y, z)", "Faults (break lines)", "Outlines"};
  for (int role = 0; role < 3; ++role) {
    grid->addWidget(new QLabel(titles[role], this), 0, role);
    lists_[role] = new QListWidget(this);
    const std::vector<std::string>& chosen = choice.Role(role);
    for (const KLayer* layer : document.OwnedLayers()) {
      const std::string name(layer->name.view());
      auto* item = new QListWidgetItem(QString::fromLocal8Bit(name.c_str()), lists_[role]);
      item->setData(Qt::UserRole, QByteArray::fromStdString(name));
      item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
      const bool on = std::find(chosen.begin(), chosen.end(), name) != chosen.end();
      item->setCheckState(on ? Qt::Checked : Qt::Unchecked);
    }
    grid->addWidget(lists_[role], 1, role);
  }
  auto* box = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  connect(box, &QDialogButtonBox::accepted, this, &CFxyLayersDlg::accept);
  connect(box, &QDialogButtonBox::rejected, this, &CFxyLayersDlg::reject);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(grid);
  layout->addWidget(box);
}

void CFxyLayersDlg::accept() {
  for (int role = 0; role < 3; ++role) {
    std::vector<std::string>& chosen = choice_.Role(role);
    std::vector<std::string> listed, kept;
    for (int row = 0; row < lists_[role]->count(); ++row) {
      const QListWidgetItem* item = lists_[role]->item(row);
      const std::string name = item->data(Qt::UserRole).toByteArray().toStdString();
      listed.push_back(name);
      if (item->checkState() == Qt::Checked) kept.push_back(name);
    }
    // A layer named that the drawing does not have yet stays named: it is
    // gridded once it is drawn on.
    for (const std::string& name : chosen)
      if (std::find(listed.begin(), listed.end(), name) == listed.end()) kept.push_back(name);
    chosen = std::move(kept);
  }
  QDialog::accept();
}
