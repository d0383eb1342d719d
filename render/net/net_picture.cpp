#include "render/net/net_picture.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "render/drawing/pen_path.h"
#include "render/drawing/picture_legend.h"
#include "render/drawing/world_image.h"
#include "render/plot/plot_text.h"

namespace {

constexpr KColorRef kOutsideColour = KRgb(216, 216, 216);
constexpr int kMargin = 10;           // pixels around the fitted grid
constexpr int kLabelPixels = kPictureLabelPixels;
constexpr double kLabelMinLength = 120;  // shorter contours get no label
constexpr double kLabelSpacing = 400;    // a label per this many pixels of line
constexpr std::size_t kMaxLabels = 1000;

// Five colours from deep blue to red; none is black or white, so the
// contours and faults drawn over them always show.
constexpr std::uint8_t kRamp[5][3] = {
    {45, 70, 190}, {0, 160, 220}, {90, 200, 110}, {245, 215, 70}, {215, 55, 40}};

KColourBar Bar(const KNetPicture& p) {
  KColourBar bar;
  bar.width = KNetPicture::kLegendWidth;
  bar.lo = p.lo();
  bar.hi = p.hi();
  bar.tick = p.contourStep();
  bar.colourAt = [&p](double v) { return p.colours().ColorAt(v); };
  return bar;
}

int LegendWidth(KIntSize client) {
  KColourBar bar;
  bar.width = KNetPicture::kLegendWidth;
  return ColourBarWidth(bar, client);
}

}  // namespace

KNetPicture::KNetPicture(KNodeGrid grid) : grid_(std::move(grid)) {
  if (!grid_.Range(lo_, hi_)) {
    lo_ = 1;
    hi_ = 0;
  }
  const double a = lo_ <= hi_ ? lo_ : 0.0, b = lo_ <= hi_ ? hi_ : 1.0;
  colours_.entries.resize(5);
  for (int k = 0; k < 5; ++k) {
    KColorEntry& e = colours_.entries[static_cast<std::size_t>(k)];
    e.value = ScaleValueAt(a, b, k / 4.0);
    e.red = kRamp[k][0];
    e.green = kRamp[k][1];
    e.blue = kRamp[k][2];
  }
  BuildImage();
}

void KNetPicture::BuildImage() {
  const std::size_t total = static_cast<std::size_t>(grid_.nx) * static_cast<std::size_t>(grid_.ny);
  if (grid_.nx < 1 || grid_.ny < 1 || grid_.values.size() != total) return;
  image_.width = grid_.nx;
  image_.height = grid_.ny;
  image_.pixels.resize(total);
  // The top image row shows the grid's last row, furthest up in the world.
  for (int j = 0; j < grid_.ny; ++j) {
    std::uint32_t* row = &image_.pixels[static_cast<std::size_t>(grid_.ny - 1 - j) * grid_.nx];
    for (int i = 0; i < grid_.nx; ++i) {
      const double v = grid_.Value(i, j);
      row[i] = PictureArgb(grid_.Inside(i, j) && std::isfinite(v) ? colours_.ColorAt(v) : kOutsideColour);
    }
  }
}

bool KNetPicture::SetContourStep(double step) {
  lines_.clear();
  step_ = 0;
  if (step == 0) return true;
  if (!(step > 0) || !std::isfinite(step)) return false;
  if (lo_ <= hi_ && (hi_ / 2 - lo_ / 2) / step > kMaxLevels / 2.0) return false;
  step_ = step;
  lines_ = TraceContours(grid_, LevelsInRange(lo_, hi_, 0.0, step, kMaxLevels));
  return true;
}

KViewTransform KNetPicture::Fit(KIntSize client) const {
  KViewTransform view;
  const int plot = client.width - LegendWidth(client);
  const double gx0 = grid_.x0 - grid_.dx / 2, gx1 = grid_.x0 + (grid_.nx - 0.5) * grid_.dx;
  const double gy0 = grid_.y0 - grid_.dy / 2, gy1 = grid_.y0 + (grid_.ny - 0.5) * grid_.dy;
  const KIntSize inner{std::max(1, plot - 2 * kMargin), std::max(1, client.height - 2 * kMargin)};
  if (!view.FitScale(inner, gx0, gy0, gx1, gy1)) return view;
  // Centred in the plot area; the view spans the whole client.
  const double s = view.scaleX;
  view.width = client.width;
  view.height = client.height;
  view.left = (gx0 + gx1) / 2 - plot / 2.0 * s;
  view.bottom = (gy0 + gy1) / 2 - client.height / 2.0 * s;
  view.right = view.left + client.width * s;
  view.top = view.bottom + client.height * s;
  return view;
}

bool KNetPicture::NodeAt(double x, double y, int& i, int& j) const {
  if (grid_.nx < 1 || grid_.ny < 1) return false;
  const double gi = std::round((x - grid_.x0) / grid_.dx), gj = std::round((y - grid_.y0) / grid_.dy);
  if (!(gi >= 0 && gi < grid_.nx && gj >= 0 && gj < grid_.ny)) return false;
  i = static_cast<int>(gi);
  j = static_cast<int>(gj);
  return true;
}

std::string KNetPicture::FormatValue(double value) { return ValueLabel(value); }

void KNetPicture::Draw(KDevice& device, const KViewTransform& view) const {
  if (!view.CanMap()) return;
  DrawCells(device, view);
  DrawFaults(device, view);
  DrawContours(device, view);
  DrawLegend(device, device.ClientSize());
}

void KNetPicture::DrawCells(KDevice& device, const KViewTransform& view) const {
  const double gx0 = grid_.x0 - grid_.dx / 2, gy0 = grid_.y0 - grid_.dy / 2;
  DrawWorldImage(device, view, image_, gx0, gy0, gx0 + grid_.nx * grid_.dx, gy0 + grid_.ny * grid_.dy);
}

void KNetPicture::DrawFaults(KDevice& device, const KViewTransform& view) const {
  if (grid_.cutX.empty() && grid_.cutY.empty()) return;
  KPenPath pen(device);
  device.SelectPen(kPenSolid, 2, kFaultColour);
  const double hx = grid_.dx / 2, hy = grid_.dy / 2;
  const double right = view.left + view.width * view.scaleX, top = view.bottom + view.height * view.scaleY;
  const auto segment = [&](double xa, double ya, double xb, double yb) {
    if (std::max(xa, xb) < view.left || std::min(xa, xb) > right || std::max(ya, yb) < view.bottom ||
        std::min(ya, yb) > top)
      return;
    pen.MoveTo(view, xa, ya);
    pen.LineTo(view, xb, yb);
  };
  // A fault crosses each cut link: draw the cell side it passes through.
  for (int j = 0; j < grid_.ny; ++j)
    for (int i = 0; i < grid_.nx; ++i) {
      const double x = grid_.WorldX(i), y = grid_.WorldY(j);
      if (i + 1 < grid_.nx && grid_.CutX(i, j)) segment(x + hx, y - hy, x + hx, y + hy);
      if (j + 1 < grid_.ny && grid_.CutY(i, j)) segment(x - hx, y + hy, x + hx, y + hy);
    }
  device.Flush();
}

void KNetPicture::DrawContours(KDevice& device, const KViewTransform& view) const {
  if (lines_.empty()) return;
  KPenPath pen(device);
  device.SelectPen(kPenSolid, 1, kContourColour);
  const KIntSize client = device.ClientSize();
  const double plot = client.width - LegendWidth(client);
  struct Place { int x, y; std::string text; };
  std::vector<Place> labels;
  std::vector<double> cols, rows;
  for (const KContourLine& line : lines_) {
    const std::size_t n = line.x.size();
    cols.resize(n);
    rows.resize(n);
    bool visible = false;
    for (std::size_t k = 0; k < n; ++k) {
      view.ToDevice(line.x[k], line.y[k], cols[k], rows[k]);
      visible = visible || (cols[k] >= 0 && cols[k] < plot && rows[k] >= 0 && rows[k] < client.height);
    }
    if (!visible || n < 2) continue;
    // Points that land on the pixel of the one before add nothing.
    pen.MoveTo(view, line.x[0], line.y[0]);
    long lastC = std::lround(cols[0]), lastR = std::lround(rows[0]);
    double length = 0;
    for (std::size_t k = 1; k < n; ++k) {
      length += std::hypot(cols[k] - cols[k - 1], rows[k] - rows[k - 1]);
      const long c = std::lround(cols[k]), r = std::lround(rows[k]);
      if (c == lastC && r == lastR && k + 1 < n) continue;
      pen.LineTo(view, line.x[k], line.y[k]);
      lastC = c;
      lastR = r;
    }
    if (length < kLabelMinLength) continue;
    // Labels spread along the line, each where its share of the length ends.
    const int count = std::max(1, static_cast<int>(length / kLabelSpacing));
    double walked = 0;
    int next = 0;
    for (std::size_t k = 1; k < n && next < count; ++k) {
      const double part = std::hypot(cols[k] - cols[k - 1], rows[k] - rows[k - 1]);
      const double want = (next + 0.5) * length / count;
      if (walked + part >= want && part > 0) {
        const double t = (want - walked) / part;
        const double c = cols[k - 1] + t * (cols[k] - cols[k - 1]), r = rows[k - 1] + t * (rows[k] - rows[k - 1]);
        if (c >= 0 && c < plot && r >= 0 && r < client.height) {
          Place place{static_cast<int>(c), static_cast<int>(r), FormatValue(line.value)};
          // Where contours crowd, a label that would touch another is left out.
          const int halfWidth = static_cast<int>(place.text.size()) * kLabelPixels * 3 / 10 + 2;
          const bool crowded = std::any_of(labels.begin(), labels.end(), [&](const Place& o) {
            const int otherHalf = static_cast<int>(o.text.size()) * kLabelPixels * 3 / 10 + 2;
            return std::abs(o.x - place.x) < halfWidth + otherHalf && std::abs(o.y - place.y) < kLabelPixels + 4;
          });
          if (!crowded && labels.size() < kMaxLabels) labels.push_back(std::move(place));
        }
        ++next;
        --k;  // the same piece may hold the next label too
        continue;
      }
      walked += part;
    }
  }
  device.Flush();
  for (const Place& p : labels) DrawPictureLabel(device, p.x, p.y, p.text, kAlignCenter);
}

void KNetPicture::DrawLegend(KDevice& device, KIntSize client) const { DrawColourBar(device, client, Bar(*this)); }
