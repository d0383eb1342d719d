#pragma once
// Writes what a drawing window shows as a picture: PNG (or any raster type
// Qt writes, by the extension), SVG or PDF, size pixels (points for PDF) on
// a background, through the atomic file so that a failed export leaves no
// half picture. Every program that writes pictures writes them here.
#include <QColor>
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
KResult ExportPainting(const std::function<void(KDevice&)>& paint, QSize size, const std::string& path,
                       QColor background = Qt::white, int pngLevel = kPngFastest);
