#include "programs/quarvel-view/layer_docks.h"

#include <QDockWidget>
#include <QMainWindow>
#include <QPointer>

#include "qt/view/klayer_panel.h"
#include "qt/view/kproperties_panel.h"

namespace {
template <class Panel>
Panel* Dock(QMainWindow& window, const char* name, const char* title, Qt::DockWidgetArea area) {
  if (auto* dock = window.findChild<QDockWidget*>(name)) return static_cast<Panel*>(dock->widget());
  auto* dock = new QDockWidget(title, &window);
  dock->setObjectName(name);
  auto* panel = new Panel(nullptr, dock);
  dock->setWidget(panel);
  window.addDockWidget(area, dock);
  return panel;
}
}  // namespace

void AddLayerPanels(QMainWindow& window, KView* view) {
  auto* layers = Dock<KLayerPanel>(window, "layers", "Layers", Qt::LeftDockWidgetArea);
  auto* properties = Dock<KPropertiesPanel>(window, "properties", "Properties", Qt::RightDockWidgetArea);
  layers->SetView(view);
  properties->SetView(view);
  // The host's own listener first; then the panels follow the drawing.
  QPointer<KLayerPanel> layersAlive = layers;
  QPointer<KPropertiesPanel> propertiesAlive = properties;
  view->onChanged = [previous = view->onChanged, layersAlive, propertiesAlive] {
    if (previous) previous();
    if (layersAlive) layersAlive->Sync();
    if (propertiesAlive) propertiesAlive->Sync();
  };
  view->onPicked = [previous = view->onPicked, propertiesAlive] {
    if (previous) previous();
    if (propertiesAlive) propertiesAlive->Sync();
  };
}
