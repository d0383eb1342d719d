#pragma once
// A widget showing a net-grid picture, navigated as the drawing view is:
// the wheel zooms about the cursor, a left or middle drag pans, the arrow
// and page keys scroll, Home fits the whole grid. The position and the node
// value under the mouse go to onStatus.
#include <QImage>
#include <QPoint>
#include <QString>
#include <QWidget>
#include <functional>
#include <memory>

#include "render/view/kview_transform.h"
#include "render/net/net_picture.h"

class KNetView : public QWidget {
public:
  explicit KNetView(QWidget* parent = nullptr);
  ~KNetView() override;

  // Shows picture, fitted to the widget; null shows nothing.
  void SetPicture(std::unique_ptr<KNetPicture> picture);
  KNetPicture* Picture() { return picture_.get(); }
  const KViewTransform& View() const { return view_; }

  // Shows the whole grid again.
  void Fit();
  // Zooms by the view's zoom factor per notch (positive in) about device
  // point at.
  void Zoom(QPoint at, int notches);
  // Repaints after the picture changed (a new contour step).
  void Refresh();
  // What the status line says for device point at: world x, y, the nearest
  // node and its value; empty without a picture.
  QString DescribeAt(QPoint at) const;

  std::function<void(const QString&)> onStatus;

protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

private:
  std::unique_ptr<KNetPicture> picture_;
  KViewTransform view_;
  bool fitted_ = false;   // the view was fitted to the current size
  bool moved_ = false;    // the user zoomed or panned since
  QImage backing_;
  bool dirty_ = true;
  bool panning_ = false;
  QPoint panFrom_;
  int wheelRest_ = 0;
};
