#include "qt/fxy/fxy_main_window.h"

#include <QAction>
#include <QDoubleSpinBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QKeySequence>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QSignalBlocker>
#include <QStatusBar>
#include <QToolBar>
#include <cmath>

#include "io/grid/net_file_reader.h"
#include "io/grid/net_node_grid.h"
#include "qt/platform/qt_device.h"
#include "qt/fxy/net_view.h"
#include "qt/export/picture_export.h"
#include "qt/platform/window_memory.h"

KFxyMainWindow::KFxyMainWindow(QWidget* parent) : QMainWindow(parent) {
  setWindowTitle("quarvel-fxy");
  view_ = new KNetView(this);
  setCentralWidget(view_);
  view_->onStatus = [this](const QString& text) { statusBar()->showMessage(text); };

  QMenu* file = menuBar()->addMenu("&File");
  file->addAction("&Open...", QKeySequence::Open, this, [this] { OpenDialog(); });
  file->addAction("&Export...", QKeySequence("Ctrl+E"), this, [this] { ExportDialog(); });
  file->addSeparator();
  file->addAction("&Quit", QKeySequence::Quit, this, [this] { close(); });
  QMenu* viewMenu = menuBar()->addMenu("&View");
  viewMenu->addAction("&Fit", QKeySequence("Home"), this, [this] { view_->Fit(); });
  viewMenu->addAction("Zoom &in", QKeySequence::ZoomIn, this,
                      [this] { view_->Zoom(view_->rect().center(), 1); });
  viewMenu->addAction("Zoom &out", QKeySequence::ZoomOut, this,
                      [this] { view_->Zoom(view_->rect().center(), -1); });

  QToolBar* bar = addToolBar("Contours");
  bar->addWidget(new QLabel(" Contour interval ", bar));
  step_ = new QDoubleSpinBox(bar);
  step_->setRange(0, 1e12);
  step_->setSpecialValueText("none");
  step_->setKeyboardTracking(false);
  bar->addWidget(step_);
  connect(step_, &QDoubleSpinBox::valueChanged, this, [this](double step) {
    if (!SetContourStep(step)) statusBar()->showMessage("That interval gives too many contour levels");
  });
  // Never larger than the screen (a scaled desktop may be small).
  const QScreen* screen = QGuiApplication::primaryScreen();
  const QRect available = screen ? screen->availableGeometry() : QRect();
  setGeometry(FitOnScreen(QRect(available.topLeft() + QPoint(40, 40), QSize(1000, 750)), available));
}

KResult KFxyMainWindow::OpenNet(const QString& path) {
  KNetFile net;
  if (KResult read = ReadNetFile(path.toLocal8Bit().toStdString(), net); !read) return read;
  auto picture = std::make_unique<KNetPicture>(NodeGridFromNet(net));
  const double step = RoundContourStep(picture->lo(), picture->hi());
  picture->SetContourStep(step);
  view_->SetPicture(std::move(picture));
  path_ = path;
  setWindowTitle(QFileInfo(path).fileName() + " - quarvel-fxy");
  {
    // The box shows the step chosen; its own signal would trace it again.
    const QSignalBlocker quiet(step_);
    const int decimals = step > 0 ? std::max(0, 2 - static_cast<int>(std::floor(std::log10(step)))) : 2;
    step_->setDecimals(std::min(decimals, 10));
    step_->setSingleStep(step > 0 ? step : 1);
    step_->setValue(step);
  }
  statusBar()->showMessage(QString("%1 x %2 nodes").arg(net.nx).arg(net.ny));
  return KResult::Ok();
}

bool KFxyMainWindow::SetContourStep(double step) {
  KNetPicture* picture = view_->Picture();
  if (!picture) return false;
  const bool done = picture->SetContourStep(step);
  view_->Refresh();
  return done;
}

KResult KFxyMainWindow::ExportTo(const QString& path) {
  KNetPicture* picture = view_->Picture();
  if (!picture) return KResult(KStatus::kRefused, "no net file is open");
  const KViewTransform view = view_->View();
  return ExportPainting([&](KDevice& device) { picture->Draw(device, view); }, view_->size(), path);
}

void KFxyMainWindow::OpenDialog() {
  const QString path = QFileDialog::getOpenFileName(this, "Open net file", QFileInfo(path_).path(),
                                                    // The gridding's default name, net.f(x,y), has brackets
                                                    // that no filter pattern may hold: all files first.
                                                    "All files (*);;Net files (*.net)");
  if (path.isEmpty()) return;
  if (const KResult opened = OpenNet(path); !opened)
    QMessageBox::warning(this, "quarvel-fxy", QString::fromLocal8Bit(opened.message().c_str()));
}

void KFxyMainWindow::ExportDialog() {
  if (!view_->Picture()) return;
  QString filter;
  const QString chosen = QFileDialog::getSaveFileName(
      this, "Export picture", QFileInfo(path_).completeBaseName() + ".png", "PNG (*.png);;SVG (*.svg);;PDF (*.pdf)",
      &filter);
  if (chosen.isEmpty()) return;
  // The picture type follows the extension: a bare name takes the filter's.
  const QString path = WithFilterSuffix(chosen, filter);
  if (const KResult written = ExportTo(path); !written)
    QMessageBox::warning(this, "quarvel-fxy", QString::fromLocal8Bit(written.message().c_str()));
  else
    statusBar()->showMessage("Wrote " + path);
}
