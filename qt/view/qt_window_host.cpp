#include "qt/view/qt_window_host.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QMenu>
#include <QProcess>
#include <QStringList>
#include <QWidget>

#include "qt/fxy/fxy_dialog.h"
#include "qt/fxy/fxy_layers_dialog.h"
#include "qt/fxy/fxy_status_window.h"
#include "qt/dialogs/class_dialog.h"
#include "model/document/klayer.h"
#include "qt/platform/helper_program.h"
#include "qt/platform/kprogress.h"
#include "window/editor/quarvel_window.h"

// The dialogs refer to the window and to this host: they go first.
KQtWindowHost::~KQtWindowHost() {
  delete classDialog_;
  delete fxyRun_;
}

void KQtWindowHost::FillMenu(QMenu& menu, const KMenuNode& popup, int checked) {
  for (const KMenuNode& item : popup.items) {
    const QString text = QString::fromLatin1(item.text.c_str());
    if (item.IsPopup()) {
      FillMenu(*menu.addMenu(text), item, checked);
      continue;
    }
    QAction* action = menu.addAction(text);
    action->setData(item.id);
    if (item.id == checked) {
      action->setCheckable(true);
      action->setChecked(true);
    }
  }
}

int KQtWindowHost::TrackPopup(const KMenuNode& popup, KDevicePoint at, int checked) {
  if (choose) return choose(popup, checked);
  QMenu menu(owner_);
  FillMenu(menu, popup, checked);
  const QAction* chosen = menu.exec(owner_ ? owner_->mapToGlobal(QPoint(at.x, at.y)) : QPoint(at.x, at.y));
  return chosen ? chosen->data().toInt() : 0;
}

QString KQtWindowHost::QtFilter(const std::string& filter) {
  const QStringList parts = QString::fromLatin1(filter.c_str()).split('|');
  QStringList filters;
  for (int i = 0; i + 1 < parts.size(); i += 2) {
    if (parts[i].isEmpty()) break;
    filters << parts[i] + " (" + QString(parts[i + 1]).replace(';', ' ') + ")";
  }
  return filters.join(";;");
}

std::string KQtWindowHost::AskOpenFile(const std::string& defaultExtension, const std::string& filter) {
  QFileDialog dialog(owner_, "Open");
  dialog.setFileMode(QFileDialog::ExistingFile);
  dialog.setDefaultSuffix(QString::fromLatin1(defaultExtension.c_str()));
  dialog.setNameFilter(QtFilter(filter));
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return "";
  return dialog.selectedFiles().first().toLocal8Bit().toStdString();
}

KResult KQtWindowHost::StartDetached(const std::string& program, const std::vector<std::string>& arguments) {
  QStringList args;
  for (const std::string& a : arguments) args << QString::fromLocal8Bit(a.c_str());
  // No shell: the program is found on PATH and gets the words as they are.
  if (QProcess::startDetached(QString::fromLocal8Bit(program.c_str()), args)) return KResult::Ok();
  return KResult(KStatus::kCannotOpen, "cannot start '" + program + "'");
}

void KQtWindowHost::ShowStatus(const std::string& text) {
  if (onStatus) onStatus(QString::fromLocal8Bit(text.c_str()));
}

KResult KQtWindowHost::OpenDrawing(QuarvelWindow& window, const std::string& path) {
  KProgress progress(owner_);
  progress.SetLabel(QFileInfo(QString::fromLocal8Bit(path.c_str())).fileName());
  if (owner_) progress.move(owner_->mapToGlobal(owner_->rect().center()) - progress.rect().center());
  progress.show();
  return window.Open(path, &progress);
}

void KQtWindowHost::ShowClassDialog(QuarvelWindow& window) {
  // A new dialog each time, so layers added since show; the last one goes.
  delete classDialog_;
  classDialog_ = new CClassDlg(window, [this] { if (onLayersChanged) onLayersChanged(); }, owner_);
  classDialog_->setAttribute(Qt::WA_DeleteOnClose);
  classDialog_->show();
  classDialog_->raise();
  classDialog_->activateWindow();
}

std::optional<std::string> KQtWindowHost::AskLayer(QuarvelWindow& window, const std::string& why) {
  if (chooseLayer) return chooseLayer(why);
  QStringList editable;
  window.layers.EnumeratePaths("", [&](const std::string& path, KLayer* layer) {
    if (layer && layer->state == kViewAndEdit) editable << QString::fromLocal8Bit(path.c_str());
  });
  bool ok = false;
  const QString chosen = QInputDialog::getItem(
      owner_, "Layer for new curves",
      QString::fromLocal8Bit(why.c_str()) + ".\nPut new curves on which layer? (Type a name for a new layer.)",
      editable, 0, true, &ok);
  if (!ok) return std::string();
  return chosen.trimmed().toLocal8Bit().toStdString();
}

QString KQtWindowHost::FxyViewer() { return FindHelperProgram("quarvel-fxy"); }

KResult KQtWindowHost::StartFxyViewer(const std::string& netPath) {
  const QString viewer = FxyViewer();
  if (viewer.isEmpty())
    return KResult(KStatus::kCannotOpen, "the grid viewer quarvel-fxy is neither beside this program nor on the PATH");
  // One argument, no shell: a path with blanks reaches the viewer whole.
  return StartDetached(viewer.toLocal8Bit().toStdString(), {netPath});
}

int KQtWindowHost::GetFxy(QuarvelWindow& window, KFxyDialogData& data) {
  if (fxyRun_ && fxyRun_->Running()) {  // one run a window: its net file would be written twice
    fxyRun_->raise();
    ShowStatus("f(x,y): gridding is still running");
    return 0;
  }
  // A window left open by an ended or failed run makes way for the new one.
  if (fxyRun_) fxyRun_->close();
  {
    // Where the input comes from first: the dialog proposes the grid of it.
    CFxyLayersDlg layers(window, data.layerNames, owner_);
    if (layers.exec() != QDialog::Accepted) return 0;
  }
  KFxyInput input = BeginFxy(window, data);
  ShowStatus("f(x,y): " + FxySourcesText(input));
  {
    CGetFxyDlg dialog(input, data, owner_);
    if (dialog.exec() != QDialog::Accepted) return 0;
  }
  const auto finished = [this](const KResultWith<KFxyRun>& result, const std::string& output) {
    if (!result) {
      ShowStatus("f(x,y): " + result.message());
      return;
    }
    ShowStatus("f(x,y): wrote " + output);
    if (const KResult started = StartFxyViewer(output); !started) ShowStatus("f(x,y): " + started.message());
  };
  // A child of the view: it closes, and ends its run, when the view goes.
  auto* status = new CViewPlayDlg(std::move(input), data, finished, owner_);
  status->setAttribute(Qt::WA_DeleteOnClose);
  fxyRun_ = status;
  status->show();
  status->Start();
  return 1;
}
