#include "programs/quarvel-view/editor_window.h"

#include <QCloseEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QKeySequence>
#include <QMenuBar>
#include <QMessageBox>
#include <QStatusBar>

#include "qt/platform/kprogress.h"
#include "programs/quarvel-view/segy_panel.h"
#include "platform/resources/menus.h"
#include "qt/view/kabout.h"
#include "qt/view/kview.h"
#include "qt/export/picture_export.h"
#include "window/editor/document_kind.h"

namespace {
const char* const kOpenFilter =
    "Drawings (*.qvd *.txt);;Step files (*.step);;Curve files (*.kcx);;SEG-Y files (*.sgy *.segy);;All files (*)";

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
  resize(1200, 900);
  Sync();
}

void EditorWindow::NewView() {
  view_ = new KView;
  view_->onStatus = [this](const QString& text) { statusBar()->showMessage(text); };
  view_->onChanged = [this] { Sync(); };
  setCentralWidget(view_);  // deletes the view it replaces
  view_->setFocus();
}

void EditorWindow::BuildMenus() {
  QMenu* file = menuBar()->addMenu("&File");
  file->addAction("&Open...", QKeySequence::Open, this, [this] { OpenReplacing(); });
  file->addAction("&Merge Curves...", this, [this] { MergeCurves(); });
  file->addAction("&Save", QKeySequence::Save, this, [this] { Save(); });
  file->addAction("Save &As...", QKeySequence::SaveAs, this, [this] { SaveAs(); });
  file->addAction("&Export as PNG, SVG or PDF...", this, [this] { Export(); });
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
  modes_ = new QActionGroup(this);
  std::vector<const KMenuNode*> modes;
  CollectModes(MenuPopup(kMenuContext), modes);
  QAction* none = viewMenu->addAction("&No mode");
  none->setData(0);
  none->setCheckable(true);
  modes_->addAction(none);
  for (const KMenuNode* mode : modes) {
    QAction* action = viewMenu->addAction(QString::fromLatin1(mode->text.c_str()));
    action->setData(mode->id);
    action->setCheckable(true);
    modes_->addAction(action);
  }
  connect(modes_, &QActionGroup::triggered, this, [this](QAction* action) {
    view_->Window().viewState = action->data().toInt();
    view_->setFocus();
  });
  viewMenu->addSeparator();
  viewMenu->addAction("&Extend", QKeySequence(Qt::Key_Home), this, [this] {
    view_->Window().Extend();
    view_->Refresh();
  });

  QMenu* help = menuBar()->addMenu("&Help");
  help->addAction("&About Quarvel...", this, [this] { KAbout(this).exec(); });
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
  KProgress progress(this);
  progress.SetLabel(QFileInfo(path).fileName());
  progress.move(mapToGlobal(rect().center()) - progress.rect().center());
  progress.show();
  KResult opened = view_->Window().Open(Local(path), &progress);
  progress.hide();
  if (!opened) return opened;
  if (path_.isEmpty()) path_ = path;
  view_->Refresh();
  Sync();
  return opened;
}

void EditorWindow::OpenReplacing() {
  if (!MayDiscard()) return;
  const QString path = QFileDialog::getOpenFileName(this, "Open", QString(), kOpenFilter);
  if (path.isEmpty()) return;
  NewView();
  path_.clear();
  if (const KResult opened = Open(path); !opened) Warn(Local(opened.message()));
  Sync();
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
  const QString path =
      QFileDialog::getSaveFileName(this, "Export", QString(), "PNG pictures (*.png);;SVG (*.svg);;PDF (*.pdf)");
  if (path.isEmpty()) return;
  if (const KResult exported = ExportPicture(view_->Window(), view_->size(), path); !exported)
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
  if (MayDiscard())
    event->accept();
  else
    event->ignore();
}

void EditorWindow::Warn(const QString& text) { QMessageBox::warning(this, "Quarvel", text); }
