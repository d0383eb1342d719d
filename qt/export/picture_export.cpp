#include "qt/export/picture_export.h"

#include <QBuffer>
#include <QFileInfo>
#include <QImage>
#include <QImageWriter>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgGenerator>
#include <functional>

#include "platform/files/atomic_file.h"
#include "qt/platform/png_writer.h"
#include "qt/platform/qt_device.h"
#include "window/editor/quarvel_window.h"

namespace {

// Paints onto paintDevice with a painter of its own.
bool PaintOn(QPaintDevice* paintDevice, const std::function<void(KDevice&)>& paint, QSize size, QColor background) {
  QPainter painter;
  if (!painter.begin(paintDevice)) return false;
  painter.fillRect(QRect(QPoint(0, 0), size), background);
  KQtDevice device(&painter, size);
  paint(device);
  device.Flush();
  return painter.end();
}

}  // namespace

KResult ExportPicture(QuarvelWindow& window, QSize size, const QString& path, QColor background) {
  return ExportPainting([&](KDevice& device) { window.OnDraw(&device); }, size, path, background);
}

KResult ExportPainting(const std::function<void(KDevice&)>& paint, QSize size, const QString& path,
                       QColor background) {
  const std::string target = path.toLocal8Bit().toStdString();
  const QString suffix = QFileInfo(path).suffix().toLower();
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  bool painted = false;
  if (suffix == "svg") {
    QSvgGenerator svg;
    svg.setOutputDevice(&buffer);
    svg.setSize(size);
    svg.setViewBox(QRect(QPoint(0, 0), size));
    svg.setTitle(QFileInfo(path).completeBaseName());
    painted = PaintOn(&svg, paint, size, background);
  } else if (suffix == "pdf") {
    QPdfWriter pdf(&buffer);
    pdf.setResolution(72);  // one point per pixel: the page is the picture
    pdf.setPageSize(QPageSize(QSizeF(size), QPageSize::Point));
    pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
    painted = PaintOn(&pdf, paint, size, background);
  } else {
    const QByteArray format = suffix.toLatin1();
    if (!QImageWriter::supportedImageFormats().contains(format))
      return KResult(KStatus::kRefused, "cannot write pictures of type '" + suffix.toStdString() + "'");
    // An opaque background needs no alpha, which the fast PNG encoder then leaves out.
    QImage image(size, background.alpha() == 255 ? QImage::Format_RGB32 : QImage::Format_ARGB32_Premultiplied);
    painted = PaintOn(&image, paint, size, background);
    if (painted && format == "png") {
      buffer.close();
      std::string png;
      if (!EncodePng(image, kPngFastest, png)) return KResult(KStatus::kFailed, "cannot encode '" + target + "'");
      return WriteFileAtomically(target, png);
    }
    painted = painted && image.save(&buffer, format.constData());
  }
  buffer.close();
  if (!painted) return KResult(KStatus::kFailed, "cannot paint '" + target + "'");
  return WriteFileAtomically(target, std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
}
