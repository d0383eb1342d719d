// quarvel-fxy [NET]: the viewer of f(x,y) net files, started by the
// drawing window after gridding with the net file as its one argument.
#include <QApplication>
#include <QMessageBox>
#ifdef QUARVEL_WITH_GDAL
#include <QFileDialog>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>

#include "qt/export/exchange_process.h"
#endif

#include "qt/platform/qt_platform.h"
#include "qt/fxy/fxy_main_window.h"

#ifdef QUARVEL_WITH_GDAL
// File > Export grid as...: the net file shown as a GDAL raster (by the
// extension chosen, written by quarvel-exchange in a child process), placed
// before the File menu's last entry (Quit).
static void AddGridExport(KFxyMainWindow& window) {
  const QList<QAction*> menus = window.menuBar()->actions();
  QMenu* file = menus.isEmpty() ? nullptr : menus.first()->menu();
  if (!file || file->actions().isEmpty()) return;
  auto* action = new QAction("Export &grid as...", file);
  QObject::connect(action, &QAction::triggered, &window, [&window] {
    if (window.NetPath().isEmpty()) return;
    const QString path = QFileDialog::getSaveFileName(
        &window, "Export grid as", QString(),
        "GeoTIFF (*.tif);;netCDF (*.nc);;Surfer 7 grid (*.grd);;ESRI ASCII grid (*.asc);;ZMap+ grid (*.zmap)");
    if (path.isEmpty()) return;
    const KResult written = ExportNetThroughExchange(window.NetPath().toLocal8Bit().toStdString(),
                                                     path.toLocal8Bit().toStdString(), ExchangeProgram());
    if (!written)
      QMessageBox::warning(&window, "quarvel-fxy", QString::fromLocal8Bit(written.message().c_str()));
    else
      window.statusBar()->showMessage("Exported " + path);
  });
  file->insertAction(file->actions().last(), action);
}
#endif

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  InstallQtPlatform();
  KFxyMainWindow window;
#ifdef QUARVEL_WITH_GDAL
  AddGridExport(window);
#endif
  window.show();
  const QStringList args = app.arguments();
  if (args.size() > 2) {
    QMessageBox::warning(&window, "quarvel-fxy", "usage: quarvel-fxy [NET]");
  } else if (args.size() == 2) {
    if (const KResult opened = window.OpenNet(args[1]); !opened)
      QMessageBox::warning(&window, "quarvel-fxy", QString::fromLocal8Bit(opened.message().c_str()));
  }
  return app.exec();
}
