#pragma once
// What the renderer tests share: a recording device with a view on it and a
// renderer drawing onto it, documents from drawing text, and curves through
// given points.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "io/document/open_document.h"
#include "model/document/kcurve.h"
#include "model/document/kones.h"
#include "platform/device/recording_device.h"
#include "tests/support/curve_builder.h"
#include "render/drawing/krenderer.h"
#include "render/view/kview_transform.h"
#include "tests/support/view_over.h"

inline std::unique_ptr<KOnes> DocumentFrom(const std::string& text) {
  auto document = std::make_unique<KOnes>();
  OpenMemory(*document, text);
  return document;
}

// A curve through the points, with its arc lengths.
inline KCurve CurveThrough(const PointList& points, int closure = kOpen) { return MakeCurve(points, closure); }

// An 800 x 400 recording device, a view of 8 pixels a world unit with the
// world origin at the device's bottom-left corner, and a renderer on it.
class KRecordingTest : public ::testing::Test {
protected:
  // Looks through a view of scale world units per pixel instead.
  void Look(double scale, double left = 0, double bottom = 0) {
    view = ViewOver(device.ClientSize(), scale, left, bottom);
  }
  void Draw(const KOnes& document) { renderer.DrawDocument(document, view); }

  KRecordingDevice device{800, 400};
  KViewTransform view = ViewOver(device.ClientSize(), 0.125);
  KRenderer renderer{device};
};
