#pragma once
// A Qt widget that holds one drawing window, paints it and forwards its
// mouse, wheel and key events to it: the ready-made view for hosts that
// embed Quarvel. The document is painted into a backing image, redrawn only
// when a handler says the view or the document changed; the rubber band,
// the curve being collected and the picked entry are drawn over it at every
// paint, so a repaint never wipes them and they leave no trace. The window
// fits its view on the first paint of a non-empty document only.
//
// On a drawing that takes long to paint, panning and wheel zooming show the
// last full picture moved and scaled to the new view, and the full paint
// follows once the navigation pauses: the view keeps up with the hand.
//
// Beyond the window's own handlers: the wheel zooms about the cursor, the
// middle button pans without leaving the mode, and Undo / Redo are here for
// any host to call or bind.
#include <QImage>
#include <QPoint>
#include <QString>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <memory>

#include "qt/view/qt_window_host.h"
#include "window/editor/quarvel_window.h"

class KQtDevice;

class KView : public QWidget {
public:
  explicit KView(QWidget* parent = nullptr);
  ~KView() override;

  // The drawing window: open files into it, then call Refresh().
  QuarvelWindow& Window() { return window_; }
  // The picture of the document as last painted (the widget's client size),
  // without what is drawn over it.
  const QImage& Backing() const { return backing_; }
  // Full paints that took at least slowPaintMs of processor time make
  // panning and zooming draw the last picture until the navigation pauses
  // for kSettleMs (0: always; infinity: never).
  static constexpr double kDefaultSlowPaintMs = 12.0;
  static constexpr int kSettleMs = 150;
  void SetSlowPaintMs(double ms) { slowPaintMs_ = ms; }
  // Threads that paint the lines of a full paint, each a band of rows (the
  // same picture whatever the number). 0, the default: IdleCoreThreads() at
  // the time of each paint.
  void SetPaintThreads(int threads) { paintThreads_ = threads; }
  // The cores free since the last paint by the processor counters (nice'd
  // jobs and this process counted free), at most four: one on a busy
  // machine, where more threads would only take turns with each other and
  // pay for the work they repeat.
  static int IdleCoreThreads();
  // True while the picture shown is the last full one moved to the view.
  bool ShowsMovedPicture() const { return moved_; }
  // The host the window's menus, dialogs and step commands go through.
  KQtWindowHost& Host() { return host_; }

  // Repaints the document (after opening into it or changing it directly)
  // and tells onChanged.
  void Refresh();
  bool Undo();
  bool Redo();

  // Told the status line whenever it changes: the position or the step
  // command under the mouse, what was picked, why something did not happen.
  std::function<void(const QString&)> onStatus;
  // Told after anything that may have changed the document.
  std::function<void()> onChanged;
  // Told after a click in "Click" mode picked an entry or nothing.
  std::function<void()> onPicked;

protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void keyReleaseEvent(QKeyEvent* event) override;

private:
  // Makes the backing image and its device match the widget's size.
  void EnsureBacking();
  // Acts on what a handler did: a change to the view, the document or the
  // mode repaints the document and tells onChanged; the overlay is
  // repainted in any case. viewOnly: the handler can only have moved the
  // view.
  void After(KInputOutcome outcome, bool viewOnly = false);
  // The view alone changed: a slow drawing shows its last picture moved
  // until it settles, any other repaints at once.
  void ViewMoved();
  // Paints the document into the backing image, timing it.
  void PaintBacking();
  // The last picture mapped from the view it was painted with to the
  // current one.
  void DrawMovedPicture(QPainter& painter) const;
  void Status(const QString& text);
  void StatusAt(KDevicePoint point);

  QuarvelWindow window_;
  KQtWindowHost host_{this};
  QImage backing_;
  std::unique_ptr<KQtDevice> device_;
  bool dirty_ = true;
  bool moved_ = false;          // the view changed since the backing image
  KViewTransform backingView_;  // the view the backing image shows
  double paintMs_ = 0;          // processor time of the last full paint
  double slowPaintMs_ = kDefaultSlowPaintMs;
  int paintThreads_ = 0;
  QTimer settle_;
  bool panning_ = false;
  QPoint panFrom_;
  int wheelRest_ = 0;  // wheel angle not yet a whole notch
};
