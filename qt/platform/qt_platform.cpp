#include "qt/platform/qt_platform.h"

#include <QImage>
#include <QImageReader>
#include <QString>

#include <cstdint>
#include <utility>
#include <vector>

#include "platform/device/kimage.h"

namespace {

// Decodes with Qt's image readers. Images with an alpha channel keep their
// per-pixel alpha; everything else is made opaque.
KResultWith<KImage> DecodeWithQt(const std::string& path) {
  QImageReader reader(QString::fromLocal8Bit(path.c_str()));
  reader.setAutoTransform(false);
  QImage img = reader.read();
  if (img.isNull())
    return KResult(KStatus::kBadInput, "cannot decode '" + path + "': " + reader.errorString().toLocal8Bit().toStdString());
  KImage image;
  const bool alpha = img.hasAlphaChannel() && img.depth() == 32;
  QImage argb = img.convertToFormat(alpha ? QImage::Format_ARGB32 : QImage::Format_RGB32);
  image.width = argb.width();
  image.height = argb.height();
  image.hasAlpha = alpha;
  // Whole rows at a time into storage that is only reserved: filling the
  // pixels with zeros and then copying them one by one cost as much as
  // decoding a large picture.
  std::vector<std::uint32_t> pixels;
  pixels.reserve(static_cast<std::size_t>(image.width) * image.height);
  for (int row = 0; row < image.height; ++row) {
    const auto* line = reinterpret_cast<const std::uint32_t*>(argb.constScanLine(row));
    pixels.insert(pixels.end(), line, line + image.width);
  }
  if (!alpha)
    for (std::uint32_t& pixel : pixels) pixel |= 0xFF000000u;
  image.pixels = std::move(pixels);
  return image;
}

}  // namespace

void InstallQtPlatform() { SetImageDecoder(DecodeWithQt); }
