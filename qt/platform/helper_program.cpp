#include "qt/platform/helper_program.h"

#include <QCoreApplication>
#include <QCursor>
#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QGuiApplication>
#include <QProcess>
#include <QStandardPaths>

QString FindHelperProgram(const QString& name) {
  const QFileInfo beside(QDir(QCoreApplication::applicationDirPath()).filePath(name));
  if (beside.isFile() && beside.isExecutable()) return beside.filePath();
  return QStandardPaths::findExecutable(name);
}

namespace {
// The busy cursor while the child runs, restored on every path.
class BusyCursor {
public:
  BusyCursor() : shown_(qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr) {
    if (shown_) QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
  }
  ~BusyCursor() {
    if (shown_) QGuiApplication::restoreOverrideCursor();
  }
  BusyCursor(const BusyCursor&) = delete;
  BusyCursor& operator=(const BusyCursor&) = delete;

private:
  bool shown_;
};
}  // namespace

KResultWith<std::string> RunHelperProgram(const QString& program, const QStringList& arguments) {
  QProcess child;
  child.setProcessChannelMode(QProcess::SeparateChannels);
  child.setStandardInputFile(QProcess::nullDevice());
  child.setStandardOutputFile(QProcess::nullDevice());
  {
    const BusyCursor busy;
    child.start(program, arguments);
    if (!QCoreApplication::instance()) {
      if (child.waitForStarted(-1)) child.waitForFinished(-1);
    } else if (child.state() != QProcess::NotRunning) {
      // The windows keep painting meanwhile, but take no input that could
      // start other work on the same drawing.
      QEventLoop loop;
      QObject::connect(&child, &QProcess::finished, &loop, &QEventLoop::quit);
      QObject::connect(&child, &QProcess::errorOccurred, &loop, [&] {
        if (child.state() == QProcess::NotRunning) loop.quit();
      });
      loop.exec(QEventLoop::ExcludeUserInputEvents);
    }
  }
  const std::string err = child.readAllStandardError().trimmed().toStdString();
  const std::string name = QFileInfo(program).fileName().toStdString();
  if (child.error() == QProcess::FailedToStart)
    return KResult(KStatus::kCannotOpen, "cannot run " + name + ": " + child.errorString().toStdString());
  if (child.exitStatus() != QProcess::NormalExit)
    return KResult(KStatus::kFailed, err.empty() ? name + " crashed" : err);
  if (child.exitCode() != 0)
    return KResult(KStatus::kFailed,
                   err.empty() ? name + " ended with status " + std::to_string(child.exitCode()) : err);
  return err;
}
