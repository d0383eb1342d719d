#pragma once
// The layer panel: the drawing's layer tree beside a KView, each layer with
// its state (view and edit, view only, hidden) and the current layer, where
// new curves and merged curves go. A click on a state steps it on, a click
// on the current column makes that layer current, "New layer" adds one.
// Every change repaints the view at once; state changes can be undone.
#include <QPointer>
#include <QString>
#include <QWidget>
#include <functional>

#include "qt/view/kview.h"

class QTreeWidget;
class QTreeWidgetItem;

class KLayerPanel : public QWidget {
public:
  enum Column { kNameColumn = 0, kStateColumn = 1, kCurrentColumn = 2 };

  explicit KLayerPanel(KView* view = nullptr, QWidget* parent = nullptr);

  // The view whose drawing the panel shows; null shows nothing.
  void SetView(KView* view);
  // Fills the tree again when the layers, their states or the current layer
  // changed since it was last filled.
  void Sync();

  // Steps the layer's state on: view and edit, view only, hidden, and
  // round again; false when path names no layer.
  bool StepState(const QString& path);
  bool MakeCurrent(const QString& path);
  // Creates the layer (view and edit) and makes it current; false with the
  // reason in the status when the name cannot be a layer.
  bool NewLayer(const QString& path);

  QTreeWidget& Tree() { return *tree_; }
  // The item of a layer by its full path, a group by its path with the
  // trailing backslash; null when absent.
  QTreeWidgetItem* Find(const QString& path) const;
  static QString StateText(int state);

  // Asks the name of a new layer ("" cancels); a test answers instead.
  std::function<QString()> askName;

private:
  void Clicked(QTreeWidgetItem* item, int column);
  void AskNewLayer();
  // After a change: the view repaints and its host hears of it.
  void Changed();
  QString Signature() const;

  QPointer<KView> view_;
  QTreeWidget* tree_ = nullptr;
  QString shown_;  // the signature of what the tree shows
};
