#include "qt/export/exchange_process.h"

#include <QRegularExpression>
#include <QTemporaryFile>
#include <memory>

#include "platform/files/private_directory.h"
#include "qt/platform/helper_program.h"
#include "window/editor/quarvel_window.h"

namespace {

const char* const kHelperName = "quarvel-exchange";

QString Local(const std::string& text) { return QString::fromLocal8Bit(text.c_str()); }

KResult NotFound() {
  return KResult(KStatus::kCannotOpen, std::string(kHelperName) + " not found (built without GDAL?)");
}

// An empty drawing file of our own, removed when the object goes (also after
// the child replaced it by its own file of that name).
KResultWith<std::unique_ptr<QTemporaryFile>> PrivateDrawingFile() {
  const std::string dir = PrivateDirectoryPath();
  if (KResult ready = EnsurePrivateDirectory(dir); !ready) return ready;
  auto file = std::make_unique<QTemporaryFile>(Local(dir) + "/exchange-XXXXXX.qvd");
  if (!file->open())
    return KResult(KStatus::kCannotWrite, "cannot make a temporary file in '" + dir + "': " +
                                              file->errorString().toStdString());
  file->close();  // the name stays reserved until the object goes
  return file;
}

// The count in the child's warning "... warning: N <what>", 0 without one.
std::size_t WarnedCount(const std::string& err, const char* what) {
  const QRegularExpression line(QString("warning: (\\d+) ") + what);
  const QRegularExpressionMatch m = line.match(Local(err));
  return m.hasMatch() ? m.captured(1).toULongLong() : 0;
}

}  // namespace

QString ExchangeProgram() { return FindHelperProgram(kHelperName); }

KResultWith<KImportedCounts> ImportThroughExchange(QuarvelWindow& window, const std::vector<std::string>& sources,
                                                   const QString& helper) {
  if (helper.isEmpty()) return NotFound();
  KResultWith<std::unique_ptr<QTemporaryFile>> drawing = PrivateDrawingFile();
  if (!drawing) return KResult(drawing);
  const std::string path = drawing.value()->fileName().toLocal8Bit().toStdString();
  // The output first, then "--": a source named like an option stays a source.
  QStringList args{"import", "-o", Local(path), "--"};
  for (const std::string& source : sources) args << Local(source);
  const KResultWith<std::string> ran = RunHelperProgram(helper, args);
  if (!ran) return KResult(ran);

  const std::size_t before = window.entries.size();
  if (KResult opened = window.Open(path); !opened) return opened;
  KImportedCounts counts;
  for (std::size_t i = before; i < window.entries.size(); ++i) {
    const int kind = window.entries[i]->kind;
    counts.polylines += kind == kKindPolyline;
    counts.points += kind == kKindPoint;
    counts.texts += kind == kKindText;
  }
  counts.skipped = WarnedCount(ran.value(), "geometries skipped");
  return counts;
}

KResultWith<std::size_t> ExportThroughExchange(QuarvelWindow& window, const std::string& path, const QString& helper) {
  if (helper.isEmpty()) return NotFound();
  KResultWith<std::unique_ptr<QTemporaryFile>> drawing = PrivateDrawingFile();
  if (!drawing) return KResult(drawing);
  const std::string own = drawing.value()->fileName().toLocal8Bit().toStdString();
  if (KResult saved = window.Save(own); !saved) return saved;
  const KResultWith<std::string> ran = RunHelperProgram(helper, {"export", "-o", Local(path), "--", Local(own)});
  if (!ran) return KResult(ran);
  return WarnedCount(ran.value(), "entries left out");
}

KResult ExportNetThroughExchange(const std::string& net, const std::string& path, const QString& helper) {
  if (helper.isEmpty()) return NotFound();
  return RunHelperProgram(helper, {"net-export", "-o", Local(path), "--", Local(net)});
}
