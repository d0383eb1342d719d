#pragma once
// Paints drawing text onto an image with one world unit per pixel and the
// world origin at the image's bottom-left corner, for pixel tests.
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
