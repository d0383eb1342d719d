#include "qt/dialogs/class_dialog.h"

#include <QIcon>
#include <QMenu>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QMenuBar>
#include <QToolBar>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "qt/dialogs/embellish_dialog.h"
#include "window/editor/quarvel_window.h"

namespace {

constexpr int kPathRole = Qt::UserRole;

using KLayerTree = KTree<KLayer>;

void Fill(QTreeWidgetItem* parent, const KLayerTree& tree, const QString& prefix) {
  for (const KLayerTree::Visit& visit : tree.Children()) {
    const QString key = QString::fromLocal8Bit(visit.key.c_str());
    auto* item = new QTreeWidgetItem(parent, {key});
    item->setData(0, kPathRole, prefix + key);
    item->setCheckState(0, Qt::Unchecked);
    if (visit.child) Fill(item, *visit.child, prefix + key);
  }
}

// Children before their parent, as the tick commands walk.
void WalkPostOrder(QTreeWidgetItem* item, const std::function<void(QTreeWidgetItem*)>& action) {
  for (int i = 0; i < item->childCount(); ++i) WalkPostOrder(item->child(i), action);
  action(item);
}

void WalkLeaves(QTreeWidgetItem* item, const std::function<void(QTreeWidgetItem*)>& action) {
  if (item->childCount() == 0) {
    action(item);
    return;
  }
  for (int i = 0; i < item->childCount(); ++i) WalkLeaves(item->child(i), action);
}

// The tool bar's "not view" button: an eye struck through, drawn here so
// that no icon files are needed.
QIcon HiddenIcon() {
  QPixmap pixmap(16, 15);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(QPen(QColor(40, 40, 40), 1.2));
  painter.setBrush(Qt::white);
  QPainterPath eye;
  eye.moveTo(1, 7.5);
  eye.quadTo(8, 0.5, 15, 7.5);
  eye.quadTo(8, 14.5, 1, 7.5);
  painter.drawPath(eye);
  painter.setBrush(QColor(40, 40, 40));
  painter.drawEllipse(QPointF(8, 7.5), 2.2, 2.2);
  painter.setPen(QPen(QColor(200, 0, 0), 2, Qt::SolidLine, Qt::RoundCap));
  painter.drawLine(QPointF(2.5, 13), QPointF(13.5, 2));
  return QIcon(pixmap);
}

}  // namespace

CClassDlg::CClassDlg(QuarvelWindow& window, std::function<void()> changed, QWidget* parent)
    : QDialog(parent, Qt::Window), window_(window), changed_(std::move(changed)) {
  setWindowTitle("Classes");
  setModal(false);
  tree_ = new QTreeWidget(this);
  tree_->setHeaderHidden(true);
  tree_->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(tree_, &QTreeWidget::customContextMenuRequested, this, &CClassDlg::ShowItemMenu);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  BuildMenus();
  layout->addWidget(tree_);  // the layout keeps the tree filling the dialog as it is resized
  resize(372, 480);
  FillTreeControl();
}

void CClassDlg::BuildMenus() {
  auto* bar = new QMenuBar(this);
  auto add = [this](QMenu* menu, int id, const char* text) {
    QAction* action = menu->addAction(text, this, [this, id] { Command(id); });
    action->setData(id);
    return action;
  };
  QMenu* classes = bar->addMenu("&Class");
  add(classes, kCmdClassEdit, "&Edit");
  add(classes, kCmdClassViewNotEdit, "&ViewNotEdit");
  QAction* hide = add(classes, kCmdClassNotView, "&NotViewAndNotEdit");
  QMenu* select = bar->addMenu("&Select");
  add(select, kCmdSelectAll, "&All");
  add(select, kCmdSelectNone, "All not");
  add(select, kCmdSelectInvert, "not All");
  layout()->setMenuBar(bar);

  auto* tools = new QToolBar(this);
  tools->setIconSize(QSize(16, 15));
  hide->setIcon(HiddenIcon());
  tools->addAction(hide);
  hide->setToolTip("Neither view nor edit the ticked classes");
  layout()->addWidget(tools);

  itemMenu_ = new QMenu("RClass", this);
  add(itemMenu_, kCmdItemColor, "&Color");
  add(itemMenu_, kCmdItemEmbellish, "How to Draw &Curve");
  add(itemMenu_, kCmdItemPoint, "How to Draw Point");
  QMenu* stat = itemMenu_->addMenu("stat");
  for (const char* text : {"View and Edit", "View and not Edit", "not View"}) stat->addAction(text);
}

void CClassDlg::FillTreeControl() {
  tree_->clear();
  Fill(tree_->invisibleRootItem(), window_.layers, QString());
  tree_->expandAll();
}

QTreeWidgetItem* CClassDlg::Find(const QString& path) const {
  QTreeWidgetItem* found = nullptr;
  WalkPostOrder(tree_->invisibleRootItem(), [&](QTreeWidgetItem* item) {
    if (item->data(0, kPathRole).toString() == path) found = item;
  });
  return found;
}

void CClassDlg::ShowItemMenu(const QPoint& at) {
  QTreeWidgetItem* item = tree_->itemAt(at);
  if (!item) return;  // outside every item: no menu
  tree_->setCurrentItem(item);
  itemMenu_->popup(tree_->viewport()->mapToGlobal(at));
}

bool CClassDlg::SetTickedStates(int state) {
  bool changed = false;
  QTreeWidgetItem* root = tree_->invisibleRootItem();
  for (int i = 0; i < root->childCount(); ++i)
    WalkLeaves(root->child(i), [&](QTreeWidgetItem* item) {
      if (item->checkState(0) != Qt::Checked) return;
      const QString path = item->data(0, kPathRole).toString();
      if (path.endsWith('\\')) return;  // an empty group is no layer
      KLayer* layer = window_.layers.LookupPath(path.toLocal8Bit().toStdString());
      // Through the window, so that each change can be undone.
      if (layer && window_.SetLayerState(*layer, state)) changed = true;
    });
  return changed;
}

bool CClassDlg::Command(int id) {
  const auto tick = [this](auto next) {
    QTreeWidgetItem* root = tree_->invisibleRootItem();
    for (int i = 0; i < root->childCount(); ++i)
      WalkPostOrder(root->child(i), [&](QTreeWidgetItem* item) { item->setCheckState(0, next(item->checkState(0))); });
  };
  bool changed = false;
  switch (id) {
    case kCmdClassEdit:
      changed = SetTickedStates(kViewAndEdit);
      break;
    case kCmdClassNotView:
      changed = SetTickedStates(kNotViewNotEdit);
      break;
    case kCmdSelectAll:
      tick([](Qt::CheckState) { return Qt::Checked; });
      break;
    case kCmdSelectNone:
      tick([](Qt::CheckState) { return Qt::Unchecked; });
      break;
    case kCmdSelectInvert:
      tick([](Qt::CheckState s) { return s == Qt::Checked ? Qt::Unchecked : Qt::Checked; });
      break;
    case kCmdItemEmbellish:
      ShowEmbellishment();
      break;
    default:
      break;  // the remaining items have no action
  }
  if (changed && changed_) changed_();
  return changed;
}

void CClassDlg::ShowEmbellishment() {
  QTreeWidgetItem* item = tree_->currentItem();
  if (!item) return;
  // Modal over this dialog, but without a nested event loop, so the drawing
  // window is never re-entered from inside a command.
  auto* dialog = new CEmbellishCurveDlg(this);
  dialog->setAttribute(Qt::WA_DeleteOnClose);
  dialog->setWindowTitle(item->text(0));
  dialog->open();
}
