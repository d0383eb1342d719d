#pragma once
// The class dialog: the drawing's layer tree with check boxes, whose ticked
// leaves the user makes editable or hidden. Modeless, one per drawing
// window; it keeps layer paths, never layer pointers, and looks each layer
// up in the window's document when a command runs, so layers that went away
// are simply skipped.
#include <QDialog>
#include <functional>

class QMenu;
class QTreeWidget;
class QTreeWidgetItem;
class QuarvelWindow;

enum KClassCommand : int {
  kCmdClassEdit = 32778,             // ticked leaves: view and edit
  kCmdClassViewNotEdit = 32779,      // no action
  kCmdClassNotView = 32780,          // ticked leaves: neither view nor edit
  kCmdSelectAll = 32781,
  kCmdSelectNone = 32782,
  kCmdSelectInvert = 32783,
  kCmdItemColor = 32786,             // no action
  kCmdItemEmbellish = 32787,         // "How to Draw Curve"
  kCmdItemPoint = 32788,             // no action
};

class CClassDlg : public QDialog {
public:
  // changed runs after a command changed a layer's state (the owner
  // repaints). The dialog must not outlive window.
  CClassDlg(QuarvelWindow& window, std::function<void()> changed, QWidget* parent = nullptr);

  // Runs a menu, tool bar or item menu command; true when a layer changed.
  bool Command(int id);
  // Rebuilds the tree from the window's layers (ticks are lost).
  void FillTreeControl();

  QTreeWidget& Tree() { return *tree_; }
  // Where a layer's item is, by its full path ("window\button"); groups by
  // their path with the trailing backslash. nullptr when absent.
  QTreeWidgetItem* Find(const QString& path) const;

private:
  void BuildMenus();
  void ShowItemMenu(const QPoint& at);
  // Sets the state of every ticked leaf's layer; true when one changed.
  bool SetTickedStates(int state);
  void ShowEmbellishment();

  QuarvelWindow& window_;
  std::function<void()> changed_;
  QTreeWidget* tree_ = nullptr;
  QMenu* itemMenu_ = nullptr;
};
