#pragma once
// Helpers shared by the renderer tests: documents from drawing text, and
// views on a recording device.
#include <memory>
#include <string>

#include "document/io/open_document.h"
#include "document/kones.h"
#include "platform/recording_device.h"
#include "render/kview_transform.h"

// A view of scale world units per pixel on the device, with the world point
// (left, bottom) at the device's bottom-left corner.
inline KViewTransform ViewOn(KRecordingDevice& device, double scale, double left = 0, double bottom = 0) {
  KViewTransform view;
  view.device = &device;
  view.width = device.ClientSize().width;
  view.height = device.ClientSize().height;
  view.scaleX = view.scaleY = scale;
  view.left = left;
  view.bottom = bottom;
  view.right = left + view.width * scale;
  view.top = bottom + view.height * scale;
  return view;
}

inline std::unique_ptr<KOnes> DocumentFrom(const std::string& text) {
  auto document = std::make_unique<KOnes>();
  OpenMemory(*document, text);
  return document;
}
