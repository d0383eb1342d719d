#include "qt/export/painting_app.h"

#include "qt/platform/qt_platform.h"

std::unique_ptr<QGuiApplication> MakePaintingApplication() {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY") &&
      qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
    qputenv("QT_QPA_PLATFORM", "offscreen");
  static int argc = 1;  // the application keeps referring to them
  static char name[] = "quarvel";
  static char* argv[] = {name, nullptr};
  auto app = std::make_unique<QGuiApplication>(argc, argv);
  InstallQtPlatform();
  return app;
}

void EnsurePaintingApplication() {
  static bool installed = false;
  if (installed) return;
  if (QCoreApplication::instance()) {
    InstallQtPlatform();
  } else {
    // A library never opens a window, so never a display either.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    // Never destroyed: a host's exit may run after the toolkit's own
    // teardown, and an application deleted then crashes the exit.
    MakePaintingApplication().release();
  }
  installed = true;
}
