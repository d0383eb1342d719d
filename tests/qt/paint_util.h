#pragma once
// Paints drawing text onto an image with one world unit per pixel and the
// world origin at the image's bottom-left corner, for pixel tests.
#include <QImage>
#include <string>

#include "document/io/open_document.h"
#include "document/kones.h"
#include "platform/qt/qt_device.h"
#include "render/krenderer.h"
#include "render/kview_transform.h"

inline void PaintUnitScale(QImage& image, const std::string& drawing) {
  KOnes document;
  OpenMemory(document, drawing);
  KQtDevice device(&image, image.size());
  KViewTransform view;
  view.device = &device;
  view.width = image.width();
  view.height = image.height();
  view.scaleX = view.scaleY = 1;
  view.right = view.width;
  view.top = view.height;
  KRenderer::Instance().DrawDocument(document, view);
}
