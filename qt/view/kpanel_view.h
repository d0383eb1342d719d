#pragma once
// A Qt widget that shows a button panel and says which cell was clicked.
#include <QImage>
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

private:
  std::unique_ptr<KButton> panel_;
  QImage backing_;
};
