// The window's document entry points: opening by extension, and the extent.
// Drawing lives in window_draw.cpp, saving with the writer.
#include "window/editor/quarvel_window.h"

#include <string_view>

#include "model/curves/kcurve_array.h"
#include "model/document/elements.h"
#include "io/document/open_document.h"
#include "io/document/reader_util.h"
#include "model/grid/kxyz_list.h"
#include "window/editor/document_kind.h"

namespace {

// Extent sentinels of a document in which nothing counts.
constexpr double kNoMin = 1e300;
constexpr double kNoMax = -1e300;
// A STEP file's extent keeps this lowest y whatever its step count.
constexpr double kStepMinY = -20.0;
// The step chart's fixed box: x from -4.1 to 20, y from -steps to 2.
constexpr double kStepChartLeft = -4.1;
constexpr double kStepChartRight = 20.0;
constexpr double kStepChartTop = 2.0;

void WidenByCurve(const KCurve& curve, double& minX, double& maxX, double& minY, double& maxY) {
  const double* x = curve.x();
  const double* y = curve.y();
  for (int i = 0; i < curve.count; ++i) {
    Span(x[i], minX, maxX);
    Span(y[i], minY, maxY);
  }
}

// The readers behind Open, each followed by the extent.
KResult OpenText(QuarvelWindow& window, const std::string& path, KProgressSink* progress) {
  if (KResult opened = OpenTextFile(window, path, progress); !opened) return opened;
  window.ComputeExtent();
  return KResult::Ok();
}

KResult OpenStep(QuarvelWindow& window, const std::string& path) {
  if (KResult opened = OpenStepFile(window, path); !opened) return opened;
  window.ComputeExtent();
  window.minY = kStepMinY;
  return KResult::Ok();
}

KResult OpenCurves(QuarvelWindow& window, const std::string& path) {
  if (KResult opened = OpenCurveFile(window, path); !opened) return opened;
  window.ComputeExtent();
  return KResult::Ok();
}

int HostCode(const KResult& result) { return result.ok() ? 1 : 0; }

}  // namespace

QuarvelWindow::QuarvelWindow() = default;

QuarvelWindow::~QuarvelWindow() = default;

KResult QuarvelWindow::Open(const std::string& path, KProgressSink* progress) {
  switch (DocumentKindOf(path)) {
    case KDocumentKind::kCurves:
      return OpenCurves(*this, path);
    case KDocumentKind::kStepList:
      return OpenStep(*this, path);
    case KDocumentKind::kTextDrawing:
      break;
  }
  return OpenText(*this, path, progress);
}

int QuarvelWindow::OnOpenDocument(const std::string& path, KProgressSink* progress) {
  return HostCode(Open(path, progress));
}

int QuarvelWindow::OnOpenDocumentMem(const std::string& text) {
  const KBlockEnd end = OpenMemory(*this, text);
  ComputeExtent();
  return end == KBlockEnd::kEndNew ? 2 : 0;
}

int QuarvelWindow::OnOpenDocumentStep(const std::string& path) { return HostCode(OpenStep(*this, path)); }

int QuarvelWindow::OnOpenDocumentCurves(const std::string& path) { return HostCode(OpenCurves(*this, path)); }

void QuarvelWindow::ComputeExtent() {
  minX = minY = kNoMin;
  maxX = maxY = kNoMax;
  for (const auto& entry : entries) {
    switch (entry->kind) {
      case kKindPolyline:
        if (const auto* curve = entry->As<KCurve>()) WidenByCurve(*curve, minX, maxX, minY, maxY);
        break;
      case kKindCurveArray:
        // For curve groups this is the group polyline through the
        // placement points, not the curves themselves.
        if (const auto* array = entry->As<KCurveArray>())
          for (const auto& element : array->elements)
            if (element) WidenByCurve(*element, minX, maxX, minY, maxY);
        break;
      case kKindXyz:
        if (const auto* list = entry->As<KXyzList>()) list->Extent(minX, minY, maxX, maxY);
        break;
      case kKindStepList:
        if (const auto* steps = entry->As<KStepList>()) {
          Span(kStepChartLeft, minX, maxX);
          Span(kStepChartRight, minX, maxX);
          Span(-static_cast<double>(steps->Count()), minY, maxY);
          Span(kStepChartTop, minY, maxY);
        }
        break;
      default:
        break;  // points, texts, inserts, bitmaps, grids and logos do not count
    }
  }
}
