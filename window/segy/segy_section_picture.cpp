#include "window/segy/segy_section_picture.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "model/contour/contour.h"
#include "render/drawing/picture_legend.h"
#include "render/drawing/world_image.h"
#include "render/plot/plot_text.h"

namespace {

constexpr std::size_t kClipSamples = 1 << 20;
constexpr KColorRef kNotFinite = KRgb(0, 160, 0);
constexpr KColorRef kInk = KRgb(0, 0, 0);
constexpr KColorRef kPaper = KRgb(255, 255, 255);
constexpr int kTimeTickPixels = 30;   // at least between time ticks
constexpr int kTraceTickPixels = 60;  // and between trace ticks

int Level(double t) { return static_cast<int>(std::lround(255 * t)); }

// A round step (1, 2 or 5 times a power of ten) for values spanning span
// over pixels, at least minPixels apart.
double TickStep(double lo, double hi, double pixels, int minPixels) {
  double step = RoundContourStep(lo, hi);
  while (step > 0 && (hi - lo) / step * minPixels > pixels) step *= 2;
  return step;
}

}  // namespace

double SectionClip(const std::vector<float>& values, double percent) {
  const std::size_t stride = std::max<std::size_t>(1, values.size() / kClipSamples);
  std::vector<float> magnitudes;
  magnitudes.reserve(values.size() / stride + 1);
  for (std::size_t i = 0; i < values.size(); i += stride)
    if (std::isfinite(values[i])) magnitudes.push_back(std::fabs(values[i]));
  if (magnitudes.empty()) return 0;
  const double p = std::clamp(percent, 0.0, 100.0) / 100;
  const std::size_t rank = static_cast<std::size_t>(std::ceil(p * magnitudes.size()));
  const std::size_t k = rank == 0 ? 0 : rank - 1;
  std::nth_element(magnitudes.begin(), magnitudes.begin() + static_cast<std::ptrdiff_t>(k), magnitudes.end());
  return magnitudes[k];
}

KColorRef SectionColour(double value, double clip, KSectionScale scale) {
  if (!std::isfinite(value)) return kNotFinite;
  const double t = clip > 0 ? std::clamp(value / clip, -1.0, 1.0) : (value > 0) - (value < 0);
  if (scale == KSectionScale::kGrey) {
    const int g = Level((1 - t) / 2);
    return KRgb(g, g, g);
  }
  if (t < 0) return KRgb(255, Level(1 + t), Level(1 + t));
  return KRgb(Level(1 - t), Level(1 - t), 255);
}

KImage SectionImage(const KSegySection& section, double clip, KSectionScale scale) {
  KImage image;
  if (section.traces < 1 || section.samples < 1) return image;
  image.width = static_cast<int>(section.traces);
  image.height = static_cast<int>(section.samples);
  image.pixels.resize(static_cast<std::size_t>(section.traces * section.samples));
  for (std::int64_t t = 0; t < section.traces; ++t)
    for (std::int64_t s = 0; s < section.samples; ++s)
      image.pixels[static_cast<std::size_t>(s * section.traces + t)] =
          PictureArgb(SectionColour(section.At(t, s), clip, scale));
  return image;
}

KSegySectionPicture::KSegySectionPicture(KSegySection section, double clipPercent, KSectionScale scale,
                                         std::string depthUnit)
    : section_(std::move(section)), scale_(scale), depthUnit_(std::move(depthUnit)) {
  clip_ = SectionClip(section_.values, clipPercent);
  if (!(clip_ > 0)) clip_ = 1;
  step_ = !(section_.interval > 0) ? 1 : depthUnit_.empty() ? section_.interval / 1000 : section_.interval;
  image_ = SectionImage(section_, clip_, scale_);
}

KViewTransform KSegySectionPicture::Fit(KIntSize client) const {
  KViewTransform view;
  const int plotWidth = client.width - kAxisLeft - kBarWidth - 10;
  const int plotHeight = client.height - kAxisTop - kAxisBottom;
  if (plotWidth < 1 || plotHeight < 1 || image_.empty()) return view;
  const double x0 = 0, x1 = static_cast<double>(section_.traces);
  const double y1 = step_ / 2, y0 = y1 - static_cast<double>(section_.samples) * step_;
  view.scaleX = (x1 - x0) / plotWidth;
  view.scaleY = (y1 - y0) / plotHeight;
  view.width = client.width;
  view.height = client.height;
  view.left = x0 - kAxisLeft * view.scaleX;
  view.bottom = y0 - kAxisBottom * view.scaleY;
  view.right = view.left + client.width * view.scaleX;
  view.top = view.bottom + client.height * view.scaleY;
  return view;
}

void KSegySectionPicture::Draw(KDevice& device, const KViewTransform& view) const {
  if (!view.CanMap()) return;
  const KIntSize client = device.ClientSize();
  const double y1 = step_ / 2, y0 = y1 - static_cast<double>(section_.samples) * step_;
  DrawWorldImage(device, view, image_, 0, y0, static_cast<double>(section_.traces), y1);
  // The axes stay put over whatever part of the section the view shows.
  device.FillSolidRect(0, 0, kAxisLeft, client.height, kPaper);
  device.FillSolidRect(0, 0, client.width, kAxisTop, kPaper);
  KColourBar bar;
  bar.width = kBarWidth;
  bar.lo = -clip_;
  bar.hi = clip_;
  bar.colourAt = [this](double v) { return SectionColour(v, clip_, scale_); };
  DrawColourBar(device, client, bar);
  DrawTimeAxis(device, view, client);
  DrawTraceAxis(device, view, client);
}

void KSegySectionPicture::DrawTimeAxis(KDevice& device, const KViewTransform& view, KIntSize client) const {
  // Times from the top of the plot to the bottom of the window.
  const double t0 = -view.ToWorldY(kAxisTop), t1 = -view.ToWorldY(client.height);
  const double first = std::max(t0, 0.0), last = std::min(t1, (section_.samples - 1) * step_);
  DrawPictureLabel(device, kAxisLeft / 2, kAxisTop / 2, !(section_.interval > 0)  ? "sample"
                   : depthUnit_.empty() ? "ms"
                                        : depthUnit_,
                   kAlignCenter);
  if (!(last >= first)) return;
  const double tick = TickStep(t0, t1, client.height - kAxisTop, kTimeTickPixels);
  const KContourLevels levels = LevelsInRange(first, last, 0.0, tick, 200);
  device.SelectPen(kPenSolid, 1, kInk);
  for (int k = levels.first; k <= levels.last && levels.Count() > 0; ++k) {
    double column, row;
    view.ToDevice(0, -levels.Value(k), column, row);
    const int r = static_cast<int>(std::lround(row));
    device.MoveTo(kAxisLeft - 6, r);
    device.LineTo(kAxisLeft, r);
    DrawPictureLabel(device, kAxisLeft - 8, r, ValueLabel(levels.Value(k)), kAlignRight);
  }
  device.Flush();
}

void KSegySectionPicture::DrawTraceAxis(KDevice& device, const KViewTransform& view, KIntSize client) const {
  DrawPictureLabel(device, kAxisLeft, 8, section_.crosslines ? "crossline" : "trace", kAlignLeft);
  const int plotRight = client.width - kBarWidth;
  const std::int64_t k0 = std::max<std::int64_t>(0, static_cast<std::int64_t>(std::floor(view.ToWorldX(kAxisLeft))));
  const std::int64_t k1 = std::min<std::int64_t>(section_.traces - 1,
                                                 static_cast<std::int64_t>(std::floor(view.ToWorldX(plotRight))));
  if (k1 < k0) return;
  const auto [lo, hi] = std::minmax_element(section_.labels.begin() + k0, section_.labels.begin() + k1 + 1);
  const double pixelsPerTrace = 1 / view.scaleX;
  // Labels that are multiples of a round step; when the numbers jump so
  // that none is, every n-th trace.
  const double spread = std::max<double>(1, static_cast<double>(*hi - *lo));
  const double pixels = pixelsPerTrace * static_cast<double>(k1 - k0 + 1);
  const std::int64_t step = std::max<std::int64_t>(1, std::llround(TickStep(0, spread, pixels, kTraceTickPixels)));
  std::vector<std::int64_t> ticks;
  for (std::int64_t k = k0; k <= k1; ++k)
    if (section_.labels[static_cast<std::size_t>(k)] % step == 0) ticks.push_back(k);
  const std::int64_t every = std::max<std::int64_t>(1, static_cast<std::int64_t>(std::ceil(kTraceTickPixels / pixelsPerTrace)));
  if (ticks.size() < 2) {
    ticks.clear();
    for (std::int64_t k = k0 - k0 % every; k <= k1; k += every)
      if (k >= k0) ticks.push_back(k);
  }
  device.SelectPen(kPenSolid, 1, kInk);
  int lastColumn = -kTraceTickPixels;
  for (const std::int64_t k : ticks) {
    double column, row;
    view.ToDevice(static_cast<double>(k) + 0.5, 0, column, row);
    const int c = static_cast<int>(std::lround(column));
    if (c - lastColumn < kTraceTickPixels / 2) continue;
    lastColumn = c;
    device.MoveTo(c, kAxisTop - 6);
    device.LineTo(c, kAxisTop);
    DrawPictureLabel(device, c, kAxisTop - 14, std::to_string(section_.labels[static_cast<std::size_t>(k)]),
                     kAlignCenter);
  }
  device.Flush();
}

KResultWith<std::unique_ptr<KSegySectionPicture>> OpenSegySectionPicture(const std::string& path) {
  KResultWith<KInputFile> file = OpenInputFile(path);
  if (!file) return {file, nullptr};
  KResultWith<KSegyLayout> layout = ReadSegyLayout(file.value());
  if (!layout) return {layout, nullptr};
  KResultWith<KSegySection> section =
      ReadSegySection(file.value(), layout.value(), DefaultSegySection(file.value(), layout.value()));
  if (!section) return {section, nullptr};
  return std::make_unique<KSegySectionPicture>(std::move(section.value()), 99, KSectionScale::kGrey);
}
