#pragma once
// The drawing window's host on Qt: popup menus built from the menu table,
// the file dialog, detached processes and a status callback.
#include <QPointer>
#include <QString>
#include <functional>

#include "qt/dialogs/class_dialog.h"
#include "qt/fxy/fxy_status_window.h"
#include "window/editor/window_host.h"

class QMenu;
class QWidget;

class KQtWindowHost : public KWindowHost {
public:
  explicit KQtWindowHost(QWidget* owner) : owner_(owner) {}
  // Closes the class dialog: it must not outlive the window it edits.
  ~KQtWindowHost() override;

  // Where status lines go (nothing when unset).
  std::function<void(const QString&)> onStatus;
  // Replaces the popup: a test answers without showing a menu.
  std::function<int(const KMenuNode& popup, int checked)> choose;

  int TrackPopup(const KMenuNode& popup, KDevicePoint at, int checked) override;
  std::string AskOpenFile(const std::string& defaultExtension, const std::string& filter) override;
  KResult StartDetached(const std::string& program, const std::vector<std::string>& arguments) override;
  void ShowStatus(const std::string& text) override;
  // Opens with the progress window over the owner, as File > Open does.
  KResult OpenDrawing(QuarvelWindow& window, const std::string& path) override;
  // Shows a new class dialog filled from the layers of the moment (one
  // shown before is closed); its layer changes tell onLayersChanged.
  void ShowClassDialog(QuarvelWindow& window) override;
  // Told when the class dialog changed a layer's state (the view repaints).
  std::function<void()> onLayersChanged;
  // Asks for the layer new entries go to: the layers in view and edit, or
  // a new name typed in.
  std::optional<std::string> AskLayer(QuarvelWindow& window, const std::string& why) override;
  // Replaces that question: a test answers without a dialog.
  std::function<std::optional<std::string>(const std::string& why)> chooseLayer;
  CClassDlg* ClassDialog() const { return classDialog_; }
  // The layers to grid from, then the f(x,y) dialog; after OK the levels run in a status window beside the
  // drawing, and the viewer is started on the net file they wrote.
  int GetFxy(QuarvelWindow& window, KFxyDialogData& data) override;
  // The grid viewer beside the running program, else on the PATH; "" when
  // neither has it.
  static QString FxyViewer();
  // Starts the viewer on a net file; the result says why not.
  KResult StartFxyViewer(const std::string& netPath);

  // Adds the popup's items to menu, checking the item whose id is checked;
  // each action carries its command id as data.
  static void FillMenu(QMenu& menu, const KMenuNode& popup, int checked);
  // "text|pattern|text|pattern||" as a Qt name filter list.
  static QString QtFilter(const std::string& filter);

private:
  QWidget* owner_;
  QPointer<CClassDlg> classDialog_;
  QPointer<CViewPlayDlg> fxyRun_;  // the gridding status window while it is open
};
