// quarvel-view [FILE...]: the drawing editor. The files open into one
// drawing, in order, as the other commands open them; the first is the one
// Save writes back to. The right button offers the modes and commands. A
// file that cannot be opened is named on standard error and in a dialog.
#include <QApplication>
#include <QMessageBox>
#include <QStringList>
#include <cstdio>

#include "qt/platform/qt_platform.h"
#include "programs/quarvel-view/editor_window.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  // Where QSettings keeps the recent files and the window's place.
  QCoreApplication::setOrganizationName("Quarvel");
  QCoreApplication::setApplicationName("quarvel-view");
  QCoreApplication::setApplicationVersion(QUARVEL_VERSION);
  InstallQtPlatform();
  EditorWindow window;
  int status = 0;
  QStringList failed;
  for (const QString& path : app.arguments().mid(1)) {
    if (const KResult opened = window.Open(path); !opened) {
      std::fprintf(stderr, "quarvel-view: %s\n", opened.message().c_str());
      failed << QString::fromLocal8Bit(opened.message().c_str());
      status = 1;
    }
  }
  window.show();
  if (!failed.isEmpty()) QMessageBox::warning(&window, "Quarvel", failed.join("\n"));
  const int result = app.exec();
  return result != 0 ? result : status;
}
