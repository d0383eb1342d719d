#include "qt/view/klayer_panel.h"

#include <QFont>
#include <QHeaderView>
#include <QInputDialog>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "model/document/klayer.h"

namespace {
constexpr int kPathRole = Qt::UserRole;
constexpr int kStateCount = 3;
const char* const kCurrentMark = "\u25CF";  // a filled circle

QString Local(const std::string& text) { return QString::fromLocal8Bit(text.c_str()); }
std::string Local(const QString& text) { return text.toLocal8Bit().toStdString(); }

// The colour a state is shown in: plain, grey, light grey.
QColor StateColour(int state) {
  switch (state) {
    case kViewAndEdit: return QColor(0, 110, 0);
    case kViewNotEdit: return QColor(110, 110, 110);
    default: return QColor(170, 170, 170);
  }
}

void Fill(QTreeWidgetItem* parent, const KTree<KLayer>& tree, const QString& prefix, const KLayer* current) {
  for (const KTree<KLayer>::Visit& visit : tree.Children()) {
    const QString key = Local(visit.key);
    auto* item = new QTreeWidgetItem(parent, {key});
    item->setData(KLayerPanel::kNameColumn, kPathRole, prefix + key);
    if (visit.child) {
      Fill(item, *visit.child, prefix + key, current);
      continue;
    }
    if (!visit.item) continue;
    const int state = visit.item->state;
    item->setText(KLayerPanel::kStateColumn, KLayerPanel::StateText(state));
    item->setForeground(KLayerPanel::kStateColumn, StateColour(state));
    item->setForeground(KLayerPanel::kNameColumn, StateColour(state));
    item->setToolTip(KLayerPanel::kStateColumn, "Click to change: view and edit, view only, hidden");
    item->setToolTip(KLayerPanel::kCurrentColumn, "Click to make this the layer new curves go to");
    if (visit.item == current) {
      item->setText(KLayerPanel::kCurrentColumn, QString::fromUtf8(kCurrentMark));
      QFont bold = item->font(KLayerPanel::kNameColumn);
      bold.setBold(true);
      item->setFont(KLayerPanel::kNameColumn, bold);
    }
  }
}
}  // namespace

KLayerPanel::KLayerPanel(KView* view, QWidget* parent) : QWidget(parent) {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(2, 2, 2, 2);
  auto* add = new QPushButton("&New layer...", this);
  connect(add, &QPushButton::clicked, this, [this] { AskNewLayer(); });
  layout->addWidget(add);
  tree_ = new QTreeWidget(this);
  tree_->setColumnCount(3);
  tree_->setHeaderLabels({"Layer", "State", "Current"});
  tree_->header()->setSectionResizeMode(kNameColumn, QHeaderView::Stretch);
  tree_->header()->setStretchLastSection(false);
  tree_->setRootIsDecorated(true);
  connect(tree_, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem* item, int column) { Clicked(item, column); });
  layout->addWidget(tree_);
  SetView(view);
}

QString KLayerPanel::StateText(int state) {
  switch (state) {
    case kViewAndEdit: return "view and edit";
    case kViewNotEdit: return "view only";
    default: return "hidden";
  }
}

void KLayerPanel::SetView(KView* view) {
  view_ = view;
  shown_ = "-";
  Sync();
}

QString KLayerPanel::Signature() const {
  if (!view_) return "";
  QuarvelWindow& window = view_->Window();
  QString signature = QString::number(reinterpret_cast<quintptr>(window.NewEntryLayer()));
  window.layers.EnumeratePaths("", [&](const std::string& path, KLayer* layer) {
    signature += "|" + Local(path) + ":" + QString::number(layer ? layer->state : -1);
  });
  return signature;
}

void KLayerPanel::Sync() {
  const QString signature = Signature();
  if (signature == shown_) return;
  shown_ = signature;
  tree_->clear();
  if (!view_) return;
  QuarvelWindow& window = view_->Window();
  Fill(tree_->invisibleRootItem(), window.layers, QString(), window.NewEntryLayer());
  tree_->expandAll();
  tree_->resizeColumnToContents(kStateColumn);
  tree_->resizeColumnToContents(kCurrentColumn);
}

QTreeWidgetItem* KLayerPanel::Find(const QString& path) const {
  QTreeWidgetItemIterator it(tree_);
  for (; *it; ++it)
    if ((*it)->data(kNameColumn, kPathRole).toString() == path) return *it;
  return nullptr;
}

void KLayerPanel::Clicked(QTreeWidgetItem* item, int column) {
  const QString path = item->data(kNameColumn, kPathRole).toString();
  if (column == kStateColumn) StepState(path);
  if (column == kCurrentColumn) MakeCurrent(path);
}

bool KLayerPanel::StepState(const QString& path) {
  if (!view_) return false;
  KLayer* layer = view_->Window().layers.LookupPath(Local(path));
  if (!layer || path.endsWith('\\')) return false;
  view_->Window().SetLayerState(*layer, (layer->state + 1) % kStateCount);
  Changed();
  return true;
}

bool KLayerPanel::MakeCurrent(const QString& path) {
  if (!view_) return false;
  KLayer* layer = view_->Window().layers.LookupPath(Local(path));
  if (!layer || path.endsWith('\\')) return false;
  view_->Window().ChooseNewEntryLayer(layer);
  Changed();
  return true;
}

bool KLayerPanel::NewLayer(const QString& path) {
  if (!view_) return false;
  std::string why;
  KLayer* made = view_->Window().NewLayer(Local(path.trimmed()), &why);
  if (!made) {
    if (view_->onStatus) view_->onStatus("New layer: " + Local(why));
    return false;
  }
  view_->Window().ChooseNewEntryLayer(made);
  Changed();
  return true;
}

void KLayerPanel::AskNewLayer() {
  const QString name = askName ? askName()
                               : QInputDialog::getText(this, "New layer", "Name (groups with a backslash: faults\\north):");
  if (!name.isEmpty()) NewLayer(name);
}

void KLayerPanel::Changed() {
  view_->Refresh();  // tells the host, whose panels follow
  Sync();
}
