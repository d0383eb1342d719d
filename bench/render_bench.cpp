// Rendering speed: a drawing of about one million polyline vertices painted
// into a 2000 x 2000 picture through the renderer and the Qt device, next
// to a plain QPainter::drawPolyline of the same vertices into the same
// image; a million x, y, z points drawn a pixel each; and the PNG encoding
// of the result, by Qt's writer and by the one "quarvel render" uses; then
// the same picture written as PNG, SVG and PDF, in alternating rounds, with
// the medians (wall and CPU) and their ratios to PNG. Peak memory is printed at the end
// (VmHWM of the process).
#include <benchmark/benchmark.h>

#include <QBuffer>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPolygon>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <fstream>
#include <random>
#include <string>
#include <vector>
#include <zlib.h>

#include "model/document/kcurve.h"
#include "model/document/kones.h"
#include "model/document/ktext_properties.h"
#include "model/grid/kxyz_list.h"
#include "qt/export/picture_export.h"
#include "qt/platform/png_writer.h"
#include "qt/platform/qt_device.h"
#include "render/drawing/krenderer.h"
#include "render/view/kview_transform.h"

namespace {

constexpr int kSide = 2000;
constexpr int kCurves = 1000;
constexpr int kVerticesPerCurve = 1000;   // 1,000,000 vertices in all
constexpr double kWorld = 10000;          // the drawing spans 10 km

// Nested wobbly rings, like contours of a map: every curve is a closed
// ring around the centre with a random radial wobble.
KOnes& Drawing() {
  static KOnes* document = [] {
    auto* doc = new KOnes;
    std::mt19937 random(12345);
    std::uniform_real_distribution<double> wobble(-0.004, 0.004);
    for (int c = 0; c < kCurves; ++c) {
      auto curve = std::make_unique<KCurve>();
      curve->Allocate(kVerticesPerCurve);
      const double radius = kWorld * 0.48 * (c + 1) / kCurves;
      double r = radius;
      for (int i = 0; i < kVerticesPerCurve; ++i) {
        const double a = 2 * M_PI * i / (kVerticesPerCurve - 1);
        r += radius * wobble(random);
        curve->x()[i] = kWorld / 2 + r * std::cos(a) * 1.0;
        curve->y()[i] = kWorld / 2 + r * std::sin(a) * 0.8;
      }
      curve->ArcLength();
      doc->currentColour = -static_cast<int>((c * 37) % 256 + 256 * ((c * 91) % 256));
      doc->AddEntry(kKindPolyline, std::move(curve));
    }
    return doc;
  }();
  return *document;
}

// A million x, y, z points spread over the drawing, with marks small
// enough to be drawn as single pixels.
KOnes& XyzDrawing() {
  static KOnes* document = [] {
    auto* doc = new KOnes;
    std::mt19937 random(54321);
    std::uniform_real_distribution<double> position(0, kWorld);
    auto list = std::make_unique<KXyzList>();
    std::vector<KXyz> points(kCurves * kVerticesPerCurve);
    for (KXyz& p : points) {
      p.x = position(random);
      p.y = position(random);
    }
    list->Assign(points.data(), points.size());
    doc->PendingTextProperties()->markHeight = 1;
    doc->AddEntry(kKindXyz, std::move(list));
    return doc;
  }();
  return *document;
}

KViewTransform FittedView(const KDevice& device) {
  KViewTransform view;
  view.Fit(device.ClientSize(), 0, 0, kWorld, kWorld);
  return view;
}

// The same vertices as device points, truncated as the view places them.
const std::vector<QPolygon>& DevicePolylines() {
  static const std::vector<QPolygon> polylines = [] {
    QImage probe(kSide, kSide, QImage::Format_RGB32);
    KQtDevice device(&probe, probe.size());
    KViewTransform view = FittedView(device);
    std::vector<QPolygon> out;
    for (const auto& entry : Drawing().entries) {
      const KCurve& c = *entry->As<KCurve>();
      QPolygon polygon;
      polygon.reserve(c.count);
      for (int i = 0; i < c.count; ++i) {
        double u, v;
        view.ToDevice(c.x()[i], c.y()[i], u, v);
        polygon << QPoint(static_cast<int>(u + 0.5), static_cast<int>(v + 0.5));
      }
      out.push_back(std::move(polygon));
    }
    return out;
  }();
  return polylines;
}

long PeakKilobytes() {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line))
    if (line.rfind("VmHWM:", 0) == 0) return std::stol(line.substr(6));
  return -1;
}

void BM_RendererOneMillionVertices(benchmark::State& state) {
  KOnes& doc = Drawing();
  QImage image(kSide, kSide, QImage::Format_ARGB32_Premultiplied);
  for (auto _ : state) {
    image.fill(Qt::white);
    KQtDevice device(&image, image.size());
    KViewTransform view = FittedView(device);
    KRenderer(device).DrawDocument(doc, view);
    device.End();
    benchmark::DoNotOptimize(image.constBits());
  }
  state.counters["vertices"] = kCurves * kVerticesPerCurve;
}

void BM_PlainDrawPolylineSameVertices(benchmark::State& state) {
  const std::vector<QPolygon>& polylines = DevicePolylines();
  const KOnes& doc = Drawing();
  QImage image(kSide, kSide, QImage::Format_ARGB32_Premultiplied);
  for (auto _ : state) {
    image.fill(Qt::white);
    QPainter painter(&image);
    for (std::size_t i = 0; i < polylines.size(); ++i) {
      const int colour = doc.entries[i]->colour;
      painter.setPen(QPen(QColor(-colour & 0xFF, (-colour >> 8) & 0xFF, (-colour >> 16) & 0xFF), 0));
      painter.drawPolyline(polylines[i]);
    }
    painter.end();
    benchmark::DoNotOptimize(image.constBits());
  }
  state.counters["vertices"] = kCurves * kVerticesPerCurve;
}

void BM_RendererOneMillionXyzPixels(benchmark::State& state) {
  KOnes& doc = XyzDrawing();
  QImage image(kSide, kSide, QImage::Format_RGB32);
  for (auto _ : state) {
    image.fill(Qt::white);
    KQtDevice device(&image, image.size());
    KViewTransform view = FittedView(device);
    KRenderer(device).DrawDocument(doc, view);
    device.End();
    benchmark::DoNotOptimize(image.constBits());
  }
  state.counters["points"] = kCurves * kVerticesPerCurve;
}

// The rendered picture, as "quarvel render" paints it (opaque) or as it was
// painted before (with alpha).
QImage RenderedPicture(QImage::Format format) {
  QImage image(kSide, kSide, format);
  image.fill(Qt::white);
  KQtDevice device(&image, image.size());
  KViewTransform view = FittedView(device);
  KRenderer(device).DrawDocument(Drawing(), view);
  device.End();
  return image;
}

void BM_PngEncodeQtWriter(benchmark::State& state) {
  const QImage image = RenderedPicture(QImage::Format_ARGB32_Premultiplied);
  for (auto _ : state) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    state.counters["png_bytes"] = static_cast<double>(bytes.size());
  }
}

// Argument: the compression level.
void BM_PngEncodeOpaque(benchmark::State& state) {
  const QImage image = RenderedPicture(QImage::Format_RGB32);
  for (auto _ : state) {
    const KResultWith<std::string> png = EncodePng(image, static_cast<int>(state.range(0)));
    if (!png) state.SkipWithError(png.message().c_str());
    state.counters["png_bytes"] = static_cast<double>(png.value().size());
  }
}

void KeepPicture(const std::string& bytes, const char* type) {
  const QByteArray directory = qgetenv("QUARVEL_EXPORT_KEEP");
  if (directory.isEmpty()) return;
  std::ofstream(directory.toStdString() + "/rings." + type, std::ios::binary) << bytes;
}

double CpuMilliseconds() {
  timespec now{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) / 1e6;
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

// The largest Flate stream of a PDF, inflated: for a page of lines, its
// content (the drawing operators as the engine wrote them).
std::string LargestPdfStream(const std::string& pdf) {
  std::string largest;
  for (std::size_t at = pdf.find("stream\n"); at != std::string::npos; at = pdf.find("stream\n", at + 1)) {
    if (at >= 3 && pdf.compare(at - 3, 3, "end") == 0) continue;
    z_stream z{};
    if (inflateInit(&z) != Z_OK) break;
    z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(pdf.data() + at + 7));
    z.avail_in = static_cast<uInt>(pdf.size() - at - 7);
    std::string out;
    int status = Z_OK;
    while (status == Z_OK) {
      const std::size_t done = out.size();
      out.resize(done + (1 << 20));
      z.next_out = reinterpret_cast<Bytef*>(out.data() + done);
      z.avail_out = 1 << 20;
      status = inflate(&z, Z_NO_FLUSH);
      out.resize(out.size() - z.avail_out);
    }
    inflateEnd(&z);
    if (status == Z_STREAM_END && out.size() > largest.size()) largest = std::move(out);
  }
  return largest;
}

// What the PDF's content costs to compress alone, as the engine does it at
// zlib's default level: the part of the PDF time no drawing call can save
// short of writing fewer points.
void PrintPdfContentCost(const std::string& pdf, int rounds, double pngCpu) {
  const std::string content = LargestPdfStream(pdf);
  if (content.empty()) return;
  std::size_t points = 0;
  for (std::size_t at = content.find(" l\n"); at != std::string::npos; at = content.find(" l\n", at + 1)) ++points;
  for (std::size_t at = content.find(" m\n"); at != std::string::npos; at = content.find(" m\n", at + 1)) ++points;
  std::vector<double> cpu;
  std::vector<Bytef> packed(compressBound(content.size()));
  for (int r = 0; r < rounds; ++r) {
    uLongf size = packed.size();
    const double start = CpuMilliseconds();
    compress2(packed.data(), &size, reinterpret_cast<const Bytef*>(content.data()), content.size(),
              Z_DEFAULT_COMPRESSION);
    cpu.push_back(CpuMilliseconds() - start);
  }
  const double c = Median(cpu);
  std::printf("PDF page content: %zu bytes, %zu points; deflating it alone: CPU %.1f ms (%.2f x PNG)\n",
              content.size(), points, c, pngCpu > 0 ? c / pngCpu : 0.0);
}

// PNG, SVG and PDF of the million-vertex picture, round after round so
// that they share the machine's load; medians of the wall and CPU times
// (on a shared machine the CPU times are the steadier).
// QUARVEL_EXPORT_ONLY=pdf (or png, svg) writes that type alone, to profile it;
// QUARVEL_EXPORT_KEEP=DIR keeps the last picture of each type there, to
// compare builds.
void PrintExportRatios(int rounds) {
  const char* types[] = {"png", "svg", "pdf"};
  std::vector<double> wall[3], cpu[3];
  std::size_t bytes[3] = {};
  std::string pdf;
  const QByteArray only = qgetenv("QUARVEL_EXPORT_ONLY");
  const auto paint = [](KDevice& device) { KRenderer(device).DrawDocument(Drawing(), FittedView(device)); };
  for (int r = 0; r < rounds; ++r) {
    for (int t = 0; t < 3; ++t) {
      if (!only.isEmpty() && only != types[t]) continue;
      QElapsedTimer timer;
      timer.start();
      const double cpuStart = CpuMilliseconds();
      const KResultWith<std::string> picture = PaintingBytes(paint, QSize(kSide, kSide), types[t], "rings");
      cpu[t].push_back(CpuMilliseconds() - cpuStart);
      wall[t].push_back(static_cast<double>(timer.nsecsElapsed()) / 1e6);
      bytes[t] = picture ? picture.value().size() : 0;
      if (picture && r == rounds - 1) KeepPicture(picture.value(), types[t]);
      if (picture && t == 2 && r == rounds - 1) pdf = picture.value();
    }
  }
  const double pngWall = wall[0].empty() ? 0 : Median(wall[0]);
  const double pngCpu = cpu[0].empty() ? 0 : Median(cpu[0]);
  for (int t = 0; t < 3; ++t) {
    if (wall[t].empty()) continue;
    const double w = Median(wall[t]), c = Median(cpu[t]);
    std::printf("export %s: wall %.1f ms (%.2f x PNG), CPU %.1f ms (%.2f x PNG), %zu bytes, median of %d\n",
                types[t], w, pngWall > 0 ? w / pngWall : 0.0, c, pngCpu > 0 ? c / pngCpu : 0.0, bytes[t], rounds);
  }
  if (!pdf.empty()) PrintPdfContentCost(pdf, rounds, pngCpu);
}

BENCHMARK(BM_RendererOneMillionVertices)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_PlainDrawPolylineSameVertices)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_RendererOneMillionXyzPixels)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_PngEncodeQtWriter)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_PngEncodeOpaque)->Arg(kPngFastest)->Arg(kPngSmallest)->Unit(benchmark::kMillisecond)->MinTime(2.0);

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  Drawing();
  DevicePolylines();
  std::printf("peak memory after building the drawing: %.1f MiB\n", PeakKilobytes() / 1024.0);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  // QUARVEL_EXPORT_ROUNDS=0 leaves the export comparison out.
  const int rounds = qEnvironmentVariableIsSet("QUARVEL_EXPORT_ROUNDS")
                         ? qEnvironmentVariableIntValue("QUARVEL_EXPORT_ROUNDS") : 5;
  if (rounds > 0) PrintExportRatios(rounds);
  std::printf("peak memory of the run (VmHWM): %.1f MiB\n", PeakKilobytes() / 1024.0);
  return 0;
}
