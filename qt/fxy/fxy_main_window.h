#pragma once
// The main window of the net-file viewer: the grid picture, the contour
// interval in the tool bar, the position and value under the mouse in the
// status bar, File > Open and Export.
#include <QMainWindow>
#include <QString>

#include "platform/base/result.h"

class KNetView;
class QDoubleSpinBox;

class KFxyMainWindow : public QMainWindow {
public:
  explicit KFxyMainWindow(QWidget* parent = nullptr);

  // Reads the net file (checked) and shows it with a round contour step.
  // On failure the window keeps what it showed and the result says why.
  KResult OpenNet(const QString& path);
  // Writes what the view shows as PNG, SVG or PDF (by the extension).
  KResult ExportTo(const QString& path);
  // Contours every step (0: none); false when that gives too many levels.
  bool SetContourStep(double step);

  // The net file shown; empty before one is opened.
  const QString& NetPath() const { return path_; }
  KNetView* View() { return view_; }
  QDoubleSpinBox* StepBox() { return step_; }

private:
  void OpenDialog();
  void ExportDialog();

  KNetView* view_;
  QDoubleSpinBox* step_;
  QString path_;
};
