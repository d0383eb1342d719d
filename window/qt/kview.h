#pragma once
// A Qt widget that holds one drawing window and paints it: the ready-made
// view for hosts that embed Quarvel. The document is painted into a backing
// image through one device kept for the widget's life, so the view is
// fitted only on the first paint of a non-empty document (as any host
// window would get it) and later drawing on the device lands in the same
// picture.
#include <QImage>
#include <QWidget>
#include <memory>

#include "window/quarvel_window.h"

class KQtDevice;

class KView : public QWidget {
public:
  explicit KView(QWidget* parent = nullptr);
  ~KView() override;

  // The drawing window: open files into it, then call update().
  QuarvelWindow& Window() { return window_; }
  // The picture as last painted (the widget's client size).
  const QImage& Backing() const { return backing_; }

protected:
  void paintEvent(QPaintEvent* event) override;

private:
  // Makes the backing image and its device match the widget's size.
  void EnsureBacking();

  QuarvelWindow window_;
  QImage backing_;
  std::unique_ptr<KQtDevice> device_;
};
