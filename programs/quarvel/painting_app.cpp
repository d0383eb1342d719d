#include "programs/quarvel/painting_app.h"

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
