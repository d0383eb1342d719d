#pragma once
// Writes what a drawing window shows as a picture: PNG (or any raster type
// Qt writes, by the extension), SVG or PDF, size pixels (points for PDF) on
// a background, through the atomic file so that a failed export leaves no
// half picture.
#include <QColor>
#include <QSize>
#include <QString>
#include <functional>

#include "platform/base/result.h"

class KDevice;
class QuarvelWindow;

KResult ExportPicture(QuarvelWindow& window, QSize size, const QString& path, QColor background = Qt::white);
// The same for any painting: paint draws on a device of size pixels.
KResult ExportPainting(const std::function<void(KDevice&)>& paint, QSize size, const QString& path,
                       QColor background = Qt::white);
