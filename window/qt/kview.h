#pragma once
// A Qt widget that holds one drawing window and paints it: the ready-made
// view for hosts that embed Quarvel. The document is painted into a backing
// image through a device kept until the widget's size changes, so drawing
// on the device between paints lands in the same picture. The window fits
// its view on the first paint of a non-empty document only, as any host
// window would get it.
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
