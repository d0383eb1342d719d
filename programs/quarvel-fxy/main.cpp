// quarvel-fxy [NET]: the viewer of f(x,y) net files, started by the
// drawing window after gridding with the net file as its one argument.
#include <QApplication>
#include <QMessageBox>

#include "qt/platform/qt_platform.h"
#include "qt/fxy/fxy_main_window.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  InstallQtPlatform();
  KFxyMainWindow window;
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
