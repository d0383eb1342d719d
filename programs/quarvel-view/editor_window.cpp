#include "programs/quarvel-view/editor_window.h"

#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QGuiApplication>
#include <QMimeData>
#include <QScreen>
#include <QSettings>
#include <QToolBar>
#include <QFileInfo>
#include <QKeySequence>
#include <QMenuBar>
#include <QMessageBox>
#include <QStatusBar>

#include "qt/platform/kprogress.h"
#include "programs/quarvel-view/layer_docks.h"
#include "programs/quarvel-view/segy_panel.h"
#include "platform/resources/menus.h"
#include "qt/view/kabout.h"
#include "qt/view/kview.h"
#include "qt/dialogs/export_dialog.h"
#include "qt/export/picture_export.h"
#include "qt/export/plot_export.h"
#include "qt/platform/window_memory.h"
#include "window/editor/document_kind.h"

namespace {
const char* const kOpenFilter =
    "Drawings (*.qvd *.txt);;Step files (*.step);;Curve files (*.kcx);;SEG-Y files (*.sgy *.segy);;All files (*)";

// Where a window with no remembered place opens, before it is fitted to
// the screen.
constexpr int kDefaultWidth = 1200, kDefaultHeight = 900;

QString Local(const std::string& text) { return QString::fromLocal8Bit(text.c_str()); }
std::string Local(const QString& text) { return text.toLocal8Bit().toStdString(); }

// Only text drawings are written back in place: a curve or step file
// would no longer read as one.
bool IsTextDrawing(const QString& path) { return CheckTextDrawingName(Local(path)).ok(); }

// The menu ids of the modes, in the order of the context menu.
void CollectModes(const KMenuNode& node, std::vector<const KMenuNode*>& modes) {
  if (!node.IsPopup()) {
    if (node.id != kCmdExtend && node.id != kCmdClass && node.id != kCmdMergeCurves && node.id != kCmdOpen)
      modes.push_back(&node);
    return;
  }
  for (const KMenuNode& item : node.items) CollectModes(item, modes);
}
}  // namespace

EditorWindow::EditorWindow() {
  NewView();
  BuildMenus();
  statusBar()->showMessage("Right button: modes and commands");
  setAcceptDrops(true);
  RestoreGeometry();
  Sync();
}

void EditorWindow::RestoreGeometry() {
  const QRect saved = QSettings().value("editor/geometry").toRect();
  const QScreen* screen = QGuiApplication::primaryScreen();
  const QRect available = screen ? screen->availableGeometry() : QRect();
  QRect wanted = saved.isValid() ? saved : QRect(QPoint(), QSize(kDefaultWidth, kDefaultHeight));
  if (!saved.isValid() && available.isValid()) wanted.moveCenter(available.center());
  setGeometry(FitOnScreen(wanted, available));
}

void EditorWindow::NewView() {
  view_ = new KView;
  view_->onStatus = [this](const QString& text) { statusBar()->showMessage(text); };
  view_->onChanged = [this] { Sync(); };
  setCentralWidget(view_);  // deletes the view it replaces
  AddLayerPanels(*this, view_);
  view_->setFocus();
}

void EditorWindow::BuildMenus() {
  QMenu* file = menuBar()->addMenu("&File");
  file->addAction("&Open...", QKeySequence::Open, this, [this] { OpenReplacing(); });
  recent_ = file->addMenu("Open &Recent");
  FillRecent();
  file->addAction("&Merge Curves...", this, [this] { MergeCurves(); });
  file->addAction("&Save", QKeySequence::Save, this, [this] { Save(); });
  file->addAction("Save &As...", QKeySequence::SaveAs, this, [this] { SaveAs(); });
  file->addAction("&Export as PNG, SVG or PDF...", this, [this] { Export(); });
#ifdef QUARVEL_WITH_GDAL
  AddExchangeActions(file);
#endif
  file->addSeparator();
  file->addAction("&Quit", QKeySequence::Quit, this, [this] { close(); });

  QMenu* edit = menuBar()->addMenu("&Edit");
  undo_ = edit->addAction("&Undo", this, [this] { view_->Undo(); Sync(); });
  undo_->setShortcut(QKeySequence::Undo);
  redo_ = edit->addAction("&Redo", this, [this] { view_->Redo(); Sync(); });
  redo_->setShortcuts({QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});

  edit->addSeparator();
  edit->addAction("&Grid f(x,y)...", this, [this] { view_->Window().GetFxy(view_->Host()); });

  QMenu* viewMenu = menuBar()->addMenu("&View");
  BuildModes(*viewMenu);
  viewMenu->addSeparator();
  viewMenu->addAction("&Extend", QKeySequence(Qt::Key_Home), this, [this] {
    view_->Window().Extend();
    view_->Refresh();
  });
  BuildHelp();
}

// The modes of the context menu as one checkable group, in the View menu
// and, the same actions, on the tool bar.
void EditorWindow::BuildModes(QMenu& viewMenu) {
  modes_ = new QActionGroup(this);
  std::vector<const KMenuNode*> modes;
  CollectModes(MenuPopup(kMenuContext), modes);
  QAction* none = viewMenu.addAction("&No mode");
  none->setData(0);
  none->setCheckable(true);
  modes_->addAction(none);
  for (const KMenuNode* mode : modes) {
    QAction* action = viewMenu.addAction(QString::fromLatin1(mode->text.c_str()));
    action->setData(mode->id);
    action->setCheckable(true);
    modes_->addAction(action);
  }
  connect(modes_, &QActionGroup::triggered, this, [this](QAction* action) {
    view_->Window().ChooseMode(action->data().toInt());
    view_->Refresh();
    Sync();
    view_->setFocus();
  });
  QToolBar* tools = addToolBar("Modes");
  tools->setObjectName("modes");
  for (QAction* action : modes_->actions()) {
    // Short names on the buttons: the menu text without its mnemonic.
    action->setIconText(action->text().remove('&'));
    tools->addAction(action);
  }
}

void EditorWindow::Sync() {
  QuarvelWindow& window = view_->Window();
  const QString name = path_.isEmpty() ? "Untitled" : QFileInfo(path_).fileName();
  setWindowTitle(name + (window.Modified() ? " *" : "") + " - Quarvel");
  undo_->setEnabled(window.History().CanUndo());
  undo_->setText(window.History().CanUndo() ? "&Undo " + Local(window.History().UndoName()) : "&Undo");
  redo_->setEnabled(window.History().CanRedo());
  redo_->setText(window.History().CanRedo() ? "&Redo " + Local(window.History().RedoName()) : "&Redo");
  for (QAction* action : modes_->actions())
    if (action->data().toInt() == window.viewState) action->setChecked(true);
}

KResult EditorWindow::Open(const QString& path) {
  // A SEG-Y file shows as a panel of its own; its positions join the
  // drawing, which Save then never writes over the SEG-Y file.
  if (IsSegyPath(path)) {
    KResult shown = OpenSegyPanel(path, view_->Window(), this);
    view_->Refresh();
    Sync();
    return shown;
  }
  KResult opened = view_->Host().OpenDrawing(view_->Window(), Local(path));
  if (!opened) return opened;
  if (path_.isEmpty()) path_ = path;
  QSettings().setValue("editor/recent", WithRecentFile(QSettings().value("editor/recent").toStringList(),
                                                       QFileInfo(path).absoluteFilePath()));
  FillRecent();
  view_->Refresh();
  Sync();
  return opened;
}

void EditorWindow::OpenReplacing() {
  const QString path = QFileDialog::getOpenFileName(this, "Open", QString(), kOpenFilter);
  OpenFiles(path.isEmpty() ? QStringList() : QStringList{path});
}

void EditorWindow::MergeCurves() {
  const QString path = QFileDialog::getOpenFileName(this, "Merge Curves", QString(), "Curve files (*.kcx);;All files (*)");
  if (path.isEmpty()) return;
  if (const KResult merged = view_->Window().MergeCurves(Local(path)); !merged) Warn(Local(merged.message()));
  view_->Refresh();
  Sync();
}

bool EditorWindow::Save() {
  if (path_.isEmpty() || !IsTextDrawing(path_)) return SaveAs();
  return SaveTo(path_);
}

bool EditorWindow::SaveAs() {
  QFileDialog dialog(this, "Save As", path_.isEmpty() || !IsTextDrawing(path_) ? QString() : path_,
                     "Drawings (*.qvd);;All files (*)");
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setDefaultSuffix("qvd");
  // A name read back as curves or a step list is refused and asked again.
  while (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty()) {
    const QString path = dialog.selectedFiles().first();
    const KResult name = CheckTextDrawingName(Local(path));
    if (name) return SaveTo(path);
    Warn(Local(name.message()));
  }
  return false;
}

bool EditorWindow::SaveTo(const QString& path) {
  KProgress progress(this);
  progress.SetLabel("Saving " + QFileInfo(path).fileName());
  progress.move(mapToGlobal(rect().center()) - progress.rect().center());
  progress.show();
  const KResult saved = view_->Window().Save(Local(path), &progress);
  progress.hide();
  if (!saved) {
    Warn(Local(saved.message()));
    return false;
  }
  path_ = path;
  view_->Window().MarkSaved();
  statusBar()->showMessage("Saved " + path);
  Sync();
  return true;
}

void EditorWindow::Export() {
  QString filter;
  const QString chosen = QFileDialog::getSaveFileName(this, "Export", QString(),
                                                      "PNG pictures (*.png);;SVG (*.svg);;PDF (*.pdf)", &filter);
  if (chosen.isEmpty()) return;
  // The picture type follows the extension: a bare name takes the filter's.
  const QString path = WithFilterSuffix(chosen, filter);
  KExportDialog dialog(view_->size(), this);
  if (dialog.exec() != QDialog::Accepted) return;
  const KExportChoice c = dialog.Choice();
  const std::string file = QFile::encodeName(path).toStdString();
  QuarvelWindow& window = view_->Window();
  // As shown: what the view shows, fitted to the picture's size; else laid
  // out around the whole drawing.
  const KViewTransform shown = window.ViewPart().transform;
  if (c.AsShown() && c.size != view_->size())
    window.ViewPart().transform.Fit({c.size.width(), c.size.height()}, shown.left, shown.bottom, shown.right, shown.top);
  const KResult exported =
      c.AsShown() ? ExportPainting([&window](KDevice& device) { window.OnDraw(&device); }, c.size, file, Qt::white,
                                   kPngFastest, c.dotsPerInch)
                  : ExportPlot(window, {c.size.width(), c.size.height()}, file, c.plot, c.legend, Qt::white,
                               c.dotsPerInch);
  window.ViewPart().transform = shown;
  if (!exported)
    Warn(Local(exported.message()));
  else
    statusBar()->showMessage("Exported " + path);
  view_->Refresh();
}

bool EditorWindow::MayDiscard() {
  if (!view_->Window().Modified()) return true;
  const auto answer = QMessageBox::question(this, "Quarvel", "The drawing has unsaved changes. Save them?",
                                            QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel);
  if (answer == QMessageBox::Save) return Save();
  return answer == QMessageBox::Discard;
}

void EditorWindow::closeEvent(QCloseEvent* event) {
  if (!MayDiscard()) return event->ignore();
  QSettings().setValue("editor/geometry", geometry());
  event->accept();
}

void EditorWindow::Warn(const QString& text) { QMessageBox::warning(this, "Quarvel", text); }

void EditorWindow::FillRecent() {
  recent_->clear();
  const QStringList paths = QSettings().value("editor/recent").toStringList();
  for (const QString& path : paths)
    recent_->addAction(path, this, [this, path] { OpenFiles({path}); });
  recent_->setEnabled(!paths.isEmpty());
}

void EditorWindow::OpenFiles(const QStringList& paths) {
  if (paths.isEmpty() || !MayDiscard()) return;
  NewView();
  path_.clear();
  QStringList failed;
  for (const QString& path : paths)
    if (const KResult opened = Open(path); !opened) failed << Local(opened.message());
  Sync();
  if (!failed.isEmpty()) Warn(failed.join("\n"));
}

void EditorWindow::dragEnterEvent(QDragEnterEvent* event) {
  for (const QUrl& url : event->mimeData()->urls())
    if (url.isLocalFile()) return event->acceptProposedAction();
}

void EditorWindow::dropEvent(QDropEvent* event) {
  QStringList paths;
  for (const QUrl& url : event->mimeData()->urls())
    if (url.isLocalFile()) paths << url.toLocalFile();
  event->acceptProposedAction();
  OpenFiles(paths);
}
