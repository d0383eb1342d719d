// The cost of one mouse move while a curve is digitised by dragging: the
// window appends the point and draws the whole collected curve again. With
// 10,000 points collected on a 2000 x 2000 view, through the Qt device onto
// a picture, as the view's overlay does, and onto the recording device (the
// renderer's share without painting).
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QImage>
#include <cmath>

#include "qt/platform/qt_device.h"
#include "platform/device/recording_device.h"
#include "platform/resources/menus.h"
#include "window/editor/quarvel_window.h"

namespace {

constexpr int kSide = 2000;
constexpr int kPoints = 10000;

// A window whose view maps one world unit to one pixel, in drag mode, with
// kPoints collected along a wandering stroke.
void Collect(QuarvelWindow& window) {
  window.view.width = window.view.height = kSide;
  window.view.scaleX = window.view.scaleY = 1.0;
  window.view.right = window.view.top = kSide;
  window.ViewPart().SetFitted(true);
  window.viewState = kCmdCurve;
  window.OnLButtonDown(0, {1000, 1000});
  for (int i = 1; i < kPoints; ++i) {
    const double a = i * 0.01;
    window.OnMouseMove(0, {1000 + static_cast<int>(900 * std::sin(a) * std::cos(a * 0.13)),
                           1000 + static_cast<int>(900 * std::cos(a * 1.7) * std::sin(a * 0.07))});
  }
}

void BM_DrawCollectedQtDevice(benchmark::State& state) {
  QuarvelWindow window;
  Collect(window);
  QImage image(kSide, kSide, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::white);
  KQtDevice device(&image, QSize(kSide, kSide));
  for (auto _ : state) {
    window.DrawCollected(device);
    device.Flush();
  }
  state.counters["points"] = window.Input().Collected().Count();
}

void BM_DrawCollectedRecording(benchmark::State& state) {
  QuarvelWindow window;
  Collect(window);
  KRecordingDevice device(kSide, kSide);
  for (auto _ : state) {
    device.Clear();
    window.DrawCollected(device);
  }
  state.counters["lines"] = static_cast<double>(device.Segments().size());
}

}  // namespace

BENCHMARK(BM_DrawCollectedQtDevice)->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(BM_DrawCollectedRecording)->Unit(benchmark::kMillisecond)->MinTime(1.0);

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
