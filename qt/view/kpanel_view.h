#pragma once
// A Qt widget that shows a button panel and says which cell was clicked.
// A panel can hold more cells than its first screen shows: the wheel
// scrolls it (with Shift sideways, with Ctrl it zooms about the cursor),
// dragging moves it, the arrow and page keys scroll, + and - zoom, and
// Home fits the panel's extent again.
#include <QImage>
#include <QPoint>
#include <QWidget>
#include <functional>
#include <memory>

#include "window/button/kbutton.h"

class KQtDevice;

class KPanelView : public QWidget {
public:
  // Shows panel, which the view owns.
  explicit KPanelView(std::unique_ptr<KButton> panel, QWidget* parent = nullptr);
  ~KPanelView() override;

  KButton& Panel() { return *panel_; }
  const QImage& Backing() const { return backing_; }
  // Called with the head-counted index of a clicked cell (GetPoint index).
  std::function<void(int)> onCellClicked;

protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

private:
  void Pan(int dx, int dy);

  std::unique_ptr<KButton> panel_;
  QImage backing_;
  bool dragging_ = false;
  QPoint dragFrom_;
  int wheelRest_ = 0;
};
