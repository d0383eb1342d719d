#include "qt/export/picture_export.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QImageWriter>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgGenerator>
#include <functional>
#include <string_view>

#include "platform/files/atomic_file.h"
#include "qt/platform/png_writer.h"
#include "qt/platform/qt_device.h"
#include "qt/platform/svg_polylines.h"
#include "window/editor/quarvel_window.h"

namespace {

// Paints onto paintDevice with a painter of its own; an SVG's polylines go
// through svgLines when given.
bool PaintOn(QPaintDevice* paintDevice, const std::function<void(KDevice&)>& paint, QSize size, QColor background,
             KSvgPolylines* svgLines = nullptr) {
  QPainter painter;
  if (!painter.begin(paintDevice)) return false;
  painter.fillRect(QRect(QPoint(0, 0), size), background);
  KQtDevice device(&painter, size);
  device.WriteSvgPolylinesWith(svgLines);
  paint(device);
  device.Flush();
  return painter.end();
}

// The SVG of the painting, with its polylines' points written by svgLines
// when given; empty when it cannot be painted.
QByteArray SvgBytes(const std::function<void(KDevice&)>& paint, QSize size, const QString& title, QColor background,
                    int dotsPerInch, KSvgPolylines* svgLines) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  QSvgGenerator svg;
  svg.setOutputDevice(&buffer);
  svg.setSize(size);
  svg.setViewBox(QRect(QPoint(0, 0), size));
  svg.setTitle(title);
  svg.setResolution(dotsPerInch);
  if (!PaintOn(&svg, paint, size, background, svgLines)) return {};
  buffer.close();
  return bytes;
}

}  // namespace

KResult ExportPicture(QuarvelWindow& window, QSize size, const QString& path, QColor background, int pngLevel) {
  return ExportPicture(window, size, QFile::encodeName(path).toStdString(), background, pngLevel);
}

KResult ExportPainting(const std::function<void(KDevice&)>& paint, QSize size, const QString& path,
                       QColor background, int pngLevel) {
  return ExportPainting(paint, size, QFile::encodeName(path).toStdString(), background, pngLevel);
}

std::function<void(KDevice&)> FirstPaint(QuarvelWindow& window) {
  return [&window](KDevice& device) {
    window.ViewPart().SetFitted(false);
    window.OnDraw(&device);
  };
}

KResult ExportPicture(QuarvelWindow& window, QSize size, const std::string& path, QColor background,
                      int pngLevel) {
  return ExportPainting([&](KDevice& device) { window.OnDraw(&device); }, size, path, background, pngLevel);
}

QImage PaintingImage(const std::function<void(KDevice&)>& paint, QSize size, QColor background) {
  // An opaque background needs no alpha, which the PNG encoder then leaves out.
  QImage image(size, background.alpha() == 255 ? QImage::Format_RGB32 : QImage::Format_ARGB32_Premultiplied);
  if (image.isNull() || !PaintOn(&image, paint, size, background)) return QImage();
  return image;
}

KResultWith<std::string> PaintingBytes(const std::function<void(KDevice&)>& paint, QSize size,
                                       const QString& suffix, const QString& title, QColor background,
                                       int pngLevel, int dotsPerInch) {
  if (suffix == "svg") {
    KSvgPolylines lines;
    const QByteArray withStandIns = SvgBytes(paint, size, title, background, dotsPerInch, &lines);
    if (withStandIns.isEmpty()) return KResult(KStatus::kFailed, "cannot paint the picture");
    std::string spliced = lines.Splice(std::string_view(withStandIns.constData(), withStandIns.size()));
    if (!spliced.empty()) return spliced;
    const QByteArray plain = SvgBytes(paint, size, title, background, dotsPerInch, nullptr);
    if (plain.isEmpty()) return KResult(KStatus::kFailed, "cannot paint the picture");
    return plain.toStdString();
  }
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  bool painted = false;
  if (suffix == "pdf") {
    QPdfWriter pdf(&buffer);
    pdf.setResolution(dotsPerInch);  // at 72, a point a pixel
    pdf.setPageSize(QPageSize(QSizeF(size) * (72.0 / dotsPerInch), QPageSize::Point));
    pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
    painted = PaintOn(&pdf, paint, size, background);
  } else {
    const QByteArray format = suffix.toLatin1();
    if (!QImageWriter::supportedImageFormats().contains(format))
      return KResult(KStatus::kRefused, "unknown picture type '" + suffix.toStdString() + "'");
    const QImage image = PaintingImage(paint, size, background);
    if (!image.isNull() && format == "png") return EncodePng(image, pngLevel);
    painted = !image.isNull() && image.save(&buffer, format.constData());
  }
  buffer.close();
  if (!painted) return KResult(KStatus::kFailed, "cannot paint the picture");
  return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

KResult ExportPainting(const std::function<void(KDevice&)>& paint, QSize size, const std::string& path,
                       QColor background, int pngLevel, int dotsPerInch) {
  // The name only chooses the type and titles an SVG; the bytes of path
  // name the file.
  const QFileInfo name(QFile::decodeName(QByteArray::fromStdString(path)));
  const KResultWith<std::string> bytes =
      PaintingBytes(paint, size, name.suffix().toLower(), name.completeBaseName(), background, pngLevel,
                    dotsPerInch);
  if (!bytes) return KResult(bytes.status(), "cannot write '" + path + "': " + bytes.message());
  return WriteFileAtomically(path, bytes.value());
}
