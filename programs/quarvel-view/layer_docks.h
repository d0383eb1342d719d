#pragma once
// The editor's docks beside the drawing: the layer panel and the properties
// of the picked entry. Called for every new view of the window: the docks
// are made once and follow the view.
class KView;
class QMainWindow;

void AddLayerPanels(QMainWindow& window, KView* view);
