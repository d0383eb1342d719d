// quarvel-view FILE...: shows drawings in a window. The files open into one
// drawing window, in order, as the other commands open them; File > Open
// adds more. The status bar shows the world position under the mouse.
#include <QAction>
#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QKeySequence>
#include <QMainWindow>
#include <QMenuBar>
#include <QMessageBox>
#include <QMouseEvent>
#include <QStatusBar>
#include <cstdio>
#include <functional>

#include "platform/qt/qt_platform.h"
#include "platform/result.h"
#include "programs/quarvel-view/segy_panel.h"
#include "window/qt/kview.h"

namespace {

// The view, telling its owner where the mouse is.
class TrackingView : public KView {
public:
  std::function<void(const QPoint&)> onMouseMove;

  TrackingView() { setMouseTracking(true); }

protected:
  void mouseMoveEvent(QMouseEvent* event) override {
    if (onMouseMove) onMouseMove(event->position().toPoint());
  }
};

class ViewerWindow : public QMainWindow {
public:
  ViewerWindow() {
    setCentralWidget(view_);
    view_->onMouseMove = [this](const QPoint& p) {
      if (view_->Window().view.CanMap())
        statusBar()->showMessage(QString::fromLocal8Bit(view_->Window().GetRemark({p.x(), p.y()}).c_str()));
    };
    QMenu* file = menuBar()->addMenu("&File");
    file->addAction("&Open...", QKeySequence::Open, [this] { OpenFromDialog(); });
    file->addSeparator();
    file->addAction("&Quit", QKeySequence::Quit, [this] { close(); });
    QMenu* view = menuBar()->addMenu("&View");
    view->addAction("&Extend", QKeySequence(Qt::Key_Home), [this] {
      view_->Window().Extend();
      view_->update();
    });
    resize(1200, 900);
    setWindowTitle("Quarvel");
  }

  // Opens path into the drawing; the result says why when it cannot.
  KResult Open(const QString& path) {
    if (IsSegyPath(path)) {
      KResult shown = OpenSegyPanel(path, view_->Window(), this);
      if (shown) view_->update();
      return shown;
    }
    KResult opened = view_->Window().Open(path.toLocal8Bit().toStdString());
    if (!opened) return opened;
    setWindowTitle(QFileInfo(path).fileName() + " - Quarvel");
    view_->update();
    return opened;
  }

private:
  void OpenFromDialog() {
    const QString path = QFileDialog::getOpenFileName(
        this, "Open", QString(), "Drawings (*.qvd *.txt);;Step files (*.step);;Curve files (*.kcx);;SEG-Y files (*.sgy *.segy);;All files (*)");
    if (path.isEmpty()) return;
    if (const KResult opened = Open(path); !opened)
      QMessageBox::warning(this, "Quarvel", QString::fromLocal8Bit(opened.message().c_str()));
  }

  TrackingView* view_ = new TrackingView;
};

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  InstallQtPlatform();
  ViewerWindow window;
  int status = 0;
  for (const QString& path : app.arguments().mid(1)) {
    if (const KResult opened = window.Open(path); !opened) {
      std::fprintf(stderr, "quarvel-view: %s\n", opened.message().c_str());
      status = 1;
    }
  }
  window.show();
  const int result = app.exec();
  return result != 0 ? result : status;
}
