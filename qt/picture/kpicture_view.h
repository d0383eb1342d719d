#pragma once
// A widget showing a picture drawn through a view, navigated as the drawing
// view is: the wheel zooms about the cursor, a left or middle drag pans,
// the arrow and page keys scroll, Home fits the whole picture.
#include <QImage>
#include <QPoint>
#include <QWidget>
#include <memory>

#include "render/view/kview_picture.h"
#include "render/view/kview_transform.h"

class KPictureView : public QWidget {
public:
  explicit KPictureView(QWidget* parent = nullptr);
  ~KPictureView() override;

  // Shows picture, fitted to the widget; null shows nothing.
  void SetPicture(std::unique_ptr<KViewPicture> picture);
  KViewPicture* Shown() { return picture_.get(); }
  const KViewPicture* Shown() const { return picture_.get(); }
  const KViewTransform& View() const { return view_; }

  // Shows the whole picture again.
  void Fit();
  // Zooms by the view's zoom factor per notch (positive in) about device
  // point at.
  void Zoom(QPoint at, int notches);
  // Repaints after the picture changed.
  void Refresh();

protected:
  // The mouse moved to at (after any panning it caused).
  virtual void Hovered(QPoint at) { (void)at; }

  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

private:
  std::unique_ptr<KViewPicture> picture_;
  KViewTransform view_;
  bool fitted_ = false;   // the view was fitted to the current size
  bool moved_ = false;    // the user zoomed or panned since
  QImage backing_;
  bool dirty_ = true;
  bool panning_ = false;
  QPoint panFrom_;
  int wheelRest_ = 0;
};
