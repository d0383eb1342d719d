#pragma once
// Pixel tests: drawing text painted onto an image with one world unit per
// pixel and the world origin at the image's bottom-left corner, and pixels
// of a colour counted.
#include <QImage>
#include <string>

#include "io/document/open_document.h"
#include "model/document/kones.h"
#include "qt/platform/qt_device.h"
#include "render/drawing/krenderer.h"
#include "tests/support/view_over.h"

// Draws the document onto the image, one world unit a pixel.
inline void PaintUnitScale(QImage& image, const KOnes& document) {
  KQtDevice device(&image, image.size());
  KRenderer(device).DrawDocument(document, ViewOver(device.ClientSize(), 1));
}

inline void PaintUnitScale(QImage& image, const std::string& drawing) {
  KOnes document;
  OpenMemory(document, drawing);
  PaintUnitScale(image, document);
}

// Pixels of image whose colour (unpremultiplied ARGB) pick accepts.
template <class Pick>
int CountPixels(const QImage& image, Pick pick) {
  int n = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) n += pick(image.pixel(x, y)) ? 1 : 0;
  return n;
}

// Pixels of image whose colour is colour, alpha aside.
inline int CountColour(const QImage& image, QRgb colour) {
  return CountPixels(image, [colour](QRgb p) { return (p & 0xFFFFFF) == (colour & 0xFFFFFF); });
}
