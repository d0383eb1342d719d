#pragma once
// The editor's main window: one drawing in a KView, the menu bar (File,
// Edit, View, Help), the tool bar of the modes, the status bar, recent
// files, dropped files, and the questions before unsaved changes are lost.
// Its size and place are kept between runs.
#include <QActionGroup>
#include <QMainWindow>
#include <QString>

#include "platform/base/result.h"

class KView;
class QAction;
class QMenu;

class EditorWindow : public QMainWindow {
public:
  EditorWindow();

  // Opens path into the drawing (adding to what is there); the first file
  // opened is the one Save writes back to.
  KResult Open(const QString& path);
  // Opens paths into a new drawing, as File > Open does (asking about
  // unsaved changes first); failures are shown in a dialog.
  void OpenFiles(const QStringList& paths);

protected:
  void closeEvent(QCloseEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;

private:
  void BuildMenus();
  void BuildModes(QMenu& viewMenu);
  void BuildHelp();
  void RestoreGeometry();
  void FillRecent();
  void NewView();
  void OpenReplacing();
  void MergeCurves();
  bool Save();
  bool SaveAs();
  bool SaveTo(const QString& path);
  void Export();
  // File > Import... and Export drawing as...: GIS vector files through
  // GDAL (editor_exchange.cpp, built only with it).
  void AddExchangeActions(QMenu* file);
  void ImportVector();
  void ExportDrawingAs();
  // Asks what to do with unsaved changes; false when the user cancels.
  bool MayDiscard();
  // Title, undo/redo texts and the checked mode, after any change.
  void Sync();
  void Warn(const QString& text);

  KView* view_ = nullptr;
  QString path_;  // where Save writes; empty until a drawing is opened or saved
  QAction* undo_ = nullptr;
  QAction* redo_ = nullptr;
  QActionGroup* modes_ = nullptr;
  QMenu* recent_ = nullptr;
};
