// quarvel-view [FILE...]: the drawing editor. The files open into one
// drawing, in order, as the other commands open them; the first is the one
// Save writes back to. The right button offers the modes and commands.
#include <QApplication>
#include <cstdio>

#include "qt/platform/qt_platform.h"
#include "programs/quarvel-view/editor_window.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  InstallQtPlatform();
  EditorWindow window;
  int status = 0;
  for (const QString& path : app.arguments().mid(1)) {
    if (const KResult opened = window.Open(path); !opened) {
      std::fprintf(stderr, "quarvel-view: %s\n", opened.message().c_str());
      status = 1;
    }
  }
  window.show();
  const int result = app.exec();
  return result != 0 ? result : status;
}
