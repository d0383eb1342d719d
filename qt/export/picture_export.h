#pragma once
// Writes what a drawing window shows as a picture: PNG (or any raster type
// Qt writes, by the extension), SVG or PDF, size pixels (points for PDF) on
// a background, through the atomic file so that a failed export leaves no
// half picture. Every program that writes pictures writes them here.
#include <QColor>
#include <QImage>
#include <QSize>
#include <QString>
#include <functional>
#include <string>

#include "platform/base/result.h"
#include "qt/platform/png_writer.h"

class KDevice;
class QuarvelWindow;

// pngLevel is the zlib level of PNG pictures (kPngFastest to kPngSmallest);
// other types ignore it.
KResult ExportPicture(QuarvelWindow& window, QSize size, const QString& path, QColor background = Qt::white,
                      int pngLevel = kPngFastest);
// The same for any painting: paint draws on a device of size pixels.
KResult ExportPainting(const std::function<void(KDevice&)>& paint, QSize size, const QString& path,
                       QColor background = Qt::white, int pngLevel = kPngFastest);

// The same for a path in the file system's own bytes, as a command line
// gives it: it need not be valid text, and is written to as it stands.
KResult ExportPicture(QuarvelWindow& window, QSize size, const std::string& path, QColor background = Qt::white,
                      int pngLevel = kPngFastest);
// dotsPerInch sizes the page of a PDF or SVG: size pixels at that many to
// the inch (72: a point a pixel).
KResult ExportPainting(const std::function<void(KDevice&)>& paint, QSize size, const std::string& path,
                       QColor background = Qt::white, int pngLevel = kPngFastest, int dotsPerInch = 72);

// The same in memory: the picture's bytes, of the type named by suffix
// ("png", "svg", "pdf" or another raster type Qt writes); title titles an
// SVG. What the functions above write is exactly these bytes.
KResultWith<std::string> PaintingBytes(const std::function<void(KDevice&)>& paint, QSize size,
                                       const QString& suffix, const QString& title,
                                       QColor background = Qt::white, int pngLevel = kPngFastest,
                                       int dotsPerInch = 72);
// The pixels a raster picture is encoded from: RGB32 on an opaque
// background, else premultiplied ARGB32. Null when it cannot be painted.
QImage PaintingImage(const std::function<void(KDevice&)>& paint, QSize size, QColor background = Qt::white);
// What QuarvelWindow::OnDraw paints as the window's first paint: the view
// fitted to the extent afresh, whatever earlier paints did.
std::function<void(KDevice&)> FirstPaint(QuarvelWindow& window);
