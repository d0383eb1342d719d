#pragma once
// A drawing window for handler tests: a view of 8 pixels a world unit over
// an 800 x 400 client area with the world origin at its bottom-left corner,
// a scripted host and a recording device.
#include <gtest/gtest.h>

#include <string>

#include "io/document/writer.h"
#include "platform/device/recording_device.h"
#include "tests/support/scripted_host.h"
#include "tests/support/view_over.h"
#include "window/editor/quarvel_window.h"

// Three level polylines ten units long, at y 0, 10 and 20.
inline constexpr const char* kThreeLines =
    "Pline\n0,0\n10,0\n\nPline\n0,10\n10,10\n\nPline\n0,20\n10,20\n\n";

class KWindowTest : public ::testing::Test {
protected:
  KWindowTest() { Look(); }

  void Look() {
    window.view = ViewOver(device.ClientSize(), 0.125);
    window.ViewPart().SetFitted(true);
  }
  void Open(const std::string& text) { window.OnOpenDocumentMem(text); }
  // The device point of a world point.
  static KDevicePoint At(double x, double y) { return {static_cast<int>(x * 8), static_cast<int>(400 - y * 8)}; }

  int Down(double x, double y) { return window.OnLButtonDown(0, At(x, y)); }
  int Move(double x, double y, KDevice* on = nullptr) { return window.OnMouseMove(0, At(x, y), on); }
  int Up(double x, double y) { return window.OnLButtonUp(0, At(x, y)); }
  int DoubleClick(double x, double y) { return window.OnLButtonDblClk(0, At(x, y)); }
  // Chooses id from whichever menu the right button shows.
  int Choose(int id) {
    host.choices.push_back(id);
    return window.OnRButtonDown(0, {10, 10}, &host);
  }
  // A drag through the points (press at the first, release at the last).
  int Drag(std::initializer_list<std::pair<double, double>> points) {
    auto it = points.begin();
    Down(it->first, it->second);
    for (++it; it != points.end(); ++it) Move(it->first, it->second);
    return Up((points.end() - 1)->first, (points.end() - 1)->second);
  }
  // The document as the writer writes it.
  std::string Text() {
    KStringOutput out;
    WriteDocument(out, window);
    return out.text;
  }
  const KCurve& CurveAt(std::size_t i) const { return *window.entries.at(i)->As<KCurve>(); }

  KRecordingDevice device{800, 400};
  KScriptedHost host;
  QuarvelWindow window;
};
