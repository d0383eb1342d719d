// The editor's exchange with GIS files: File > Import adds the features of
// vector files to the drawing, File > Export drawing as writes the drawing's
// features (built only where GDAL is; quarvel-exchange does the work in a
// child process, so that the editor itself starts without GDAL).
#include <QFileDialog>
#include <QMenu>
#include <QStatusBar>

#include "programs/quarvel-view/editor_window.h"
#include "qt/export/exchange_process.h"
#include "qt/view/kview.h"

namespace {
const char* const kVectorFilter =
    "GeoPackage (*.gpkg);;GeoJSON (*.geojson *.json);;Shapefile (*.shp);;DXF (*.dxf);;CSV (*.csv);;All files (*)";

std::string Local(const QString& text) { return text.toLocal8Bit().toStdString(); }
}  // namespace

void EditorWindow::AddExchangeActions(QMenu* file) {
  file->addAction("&Import...", this, [this] { ImportVector(); });
  file->addAction("Export &drawing as...", this, [this] { ExportDrawingAs(); });
}

void EditorWindow::ImportVector() {
  const QStringList paths = QFileDialog::getOpenFileNames(this, "Import", QString(), kVectorFilter);
  if (paths.isEmpty()) return;
  std::vector<std::string> sources;
  for (const QString& path : paths) sources.push_back(Local(path));
  QuarvelWindow& window = view_->Window();
  const KResultWith<KImportedCounts> added = ImportThroughExchange(window, sources, ExchangeProgram());
  if (!added) {
    Warn(QString::fromLocal8Bit(added.message().c_str()));
    return;
  }
  window.ComputeExtent();
  window.MarkModified();  // nothing of it is saved yet
  const KImportedCounts& n = added.value();
  statusBar()->showMessage(QString("Imported %1 polylines, %2 points, %3 texts; %4 skipped")
                               .arg(n.polylines).arg(n.points).arg(n.texts).arg(n.skipped));
  view_->Refresh();
  Sync();
}

void EditorWindow::ExportDrawingAs() {
  const QString path = QFileDialog::getSaveFileName(this, "Export drawing as", QString(), kVectorFilter);
  if (path.isEmpty()) return;
  const KResultWith<std::size_t> written = ExportThroughExchange(view_->Window(), Local(path), ExchangeProgram());
  if (!written)
    Warn(QString::fromLocal8Bit(written.message().c_str()));
  else
    statusBar()->showMessage(QString("Exported %1 (%2 entries do not travel)").arg(path).arg(written.value()));
}
