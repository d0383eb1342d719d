#include "io/segy/segy_geometry.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numeric>

namespace {

// Packed so that unsigned order is the order of (inline, crossline).
std::uint64_t Pack(std::int32_t inl, std::int32_t xl) {
  return static_cast<std::uint64_t>(static_cast<std::uint32_t>(inl) ^ 0x80000000u) << 32 |
         (static_cast<std::uint32_t>(xl) ^ 0x80000000u);
}
std::int32_t InlineOf(std::uint64_t key) { return static_cast<std::int32_t>(static_cast<std::uint32_t>(key >> 32) ^ 0x80000000u); }
std::int32_t CrosslineOf(std::uint64_t key) { return static_cast<std::int32_t>(static_cast<std::uint32_t>(key) ^ 0x80000000u); }

// A range from distinct values in ascending order.
KSurveyRange RangeOf(const std::vector<std::int32_t>& sorted, std::int32_t firstMet) {
  KSurveyRange r;
  r.count = static_cast<std::int64_t>(sorted.size());
  std::int64_t step = 0;
  for (std::size_t i = 1; i < sorted.size(); ++i) step = std::gcd(step, std::int64_t{sorted[i]} - sorted[i - 1]);
  r.step = step > 0 ? step : 1;
  r.first = sorted.front();
  r.last = sorted.back();
  if (firstMet == sorted.back() && sorted.size() > 1) {
    std::swap(r.first, r.last);
    r.step = -r.step;
  }
  return r;
}

// Places on a range's grid, as a wide count.
unsigned __int128 GridPlaces(const KSurveyRange& r) {
  return static_cast<unsigned __int128>((std::max(r.first, r.last) - std::min(r.first, r.last)) / std::llabs(r.step)) + 1;
}

std::int64_t Clamped(unsigned __int128 v) {
  return v > static_cast<unsigned __int128>(std::numeric_limits<std::int64_t>::max()) ? std::numeric_limits<std::int64_t>::max()
                                                                                      : static_cast<std::int64_t>(v);
}

long double Det3(long double a, long double b, long double c, long double d, long double e, long double f,
                 long double g, long double h, long double i) {
  return a * (e * i - f * h) - b * (d * i - f * g) + c * (d * h - e * g);
}

}  // namespace

void KSurveyGeometryBuilder::Add(std::int32_t inl, std::int32_t xl, double x, double y) {
  const KSurveyPoint p{x, y};
  if (traces_ == 0) {
    firstInl_ = inl, firstXl_ = xl, origin_ = p;
    low_ = high_ = Edge{inl, xl, xl, p, p};
    ++inlRuns_, ++xlRuns_;
  } else {
    inlRuns_ += inl != lastInl_;
    xlRuns_ += xl != lastXl_;
  }
  for (Edge* e : {&low_, &high_}) {
    const bool beyond = e == &low_ ? inl < e->inl : inl > e->inl;
    if (beyond) *e = Edge{inl, xl, xl, p, p};
    else if (inl == e->inl && xl < e->xlLo) e->xlLo = xl, e->lo = p;
    else if (inl == e->inl && xl > e->xlHi) e->xlHi = xl, e->hi = p;
  }
  const std::uint64_t key = Pack(inl, xl);
  if (pairs_.empty() || pairs_.back() != key) pairs_.push_back(key);
  Track(p);
  const long double u = static_cast<long double>(inl) - firstInl_, v = static_cast<long double>(xl) - firstXl_;
  const long double dx = static_cast<long double>(x) - origin_.x, dy = static_cast<long double>(y) - origin_.y;
  n_ += 1, su_ += u, sv_ += v, suu_ += u * u, svv_ += v * v, suv_ += u * v;
  sx_ += dx, sux_ += u * dx, svx_ += v * dx, sy_ += dy, suy_ += u * dy, svy_ += v * dy;
  lastInl_ = inl, lastXl_ = xl, last_ = p;
  ++traces_;
}

void KSurveyGeometryBuilder::Track(KSurveyPoint p) {
  if (!track_.empty() && track_.back().x == p.x && track_.back().y == p.y) return;
  if (track_.size() >= 2) {
    const KSurveyPoint a = track_[track_.size() - 2], b = track_.back();
    const double abx = b.x - a.x, aby = b.y - a.y, bcx = p.x - b.x, bcy = p.y - b.y;
    const double cross = abx * bcy - aby * bcx, dot = abx * bcx + aby * bcy;
    // b lies on the straight run from a to p: keep the run's ends only.
    if (dot > 0 && std::fabs(cross) <= 1e-9 * std::hypot(abx, aby) * std::hypot(bcx, bcy)) {
      track_.back() = p;
      return;
    }
  }
  track_.push_back(p);
}

std::optional<KSurveyPoint> KSurveyGeometryBuilder::Fitted(std::int64_t inl, std::int64_t xl) const {
  const long double det = Det3(n_, su_, sv_, su_, suu_, suv_, sv_, suv_, svv_);
  const long double scale = n_ * (suu_ + 1) * (svv_ + 1);
  if (!(std::fabs(det) > 1e-12L * scale)) return std::nullopt;
  const long double u = static_cast<long double>(inl) - firstInl_, v = static_cast<long double>(xl) - firstXl_;
  auto solve = [&](long double s, long double su, long double sv) {
    const long double a = Det3(s, su_, sv_, su, suu_, suv_, sv, suv_, svv_) / det;
    const long double b = Det3(n_, s, sv_, su_, su, suv_, sv_, sv, svv_) / det;
    const long double c = Det3(n_, su_, s, su_, suu_, su, sv_, suv_, sv) / det;
    return a + b * u + c * v;
  };
  return KSurveyPoint{static_cast<double>(origin_.x + solve(sx_, sux_, svx_)),
                      static_cast<double>(origin_.y + solve(sy_, suy_, svy_))};
}

std::optional<KSurveyPoint> KSurveyGeometryBuilder::Corner(std::int64_t inl, std::int64_t xl, bool& estimated) const {
  for (const Edge* e : {&low_, &high_}) {
    if (e->inl != inl) continue;
    if (e->xlLo == xl) return e->lo;
    if (e->xlHi == xl) return e->hi;
  }
  estimated = true;
  return Fitted(inl, xl);
}

KSurveyGeometry KSurveyGeometryBuilder::Finish() const {
  KSurveyGeometry g;
  g.traces = traces_;
  if (traces_ == 0) return g;
  std::vector<std::uint64_t> pairs = pairs_;
  std::sort(pairs.begin(), pairs.end());
  pairs.erase(std::unique(pairs.begin(), pairs.end()), pairs.end());
  std::vector<std::int32_t> inls, xls;
  xls.reserve(pairs.size());
  for (const std::uint64_t key : pairs) {
    if (inls.empty() || inls.back() != InlineOf(key)) inls.push_back(InlineOf(key));
    xls.push_back(CrosslineOf(key));
  }
  std::sort(xls.begin(), xls.end());
  xls.erase(std::unique(xls.begin(), xls.end()), xls.end());
  g.inl = RangeOf(inls, firstInl_);
  g.xl = RangeOf(xls, firstXl_);
  const auto distinct = static_cast<std::int64_t>(pairs.size());
  g.kind = g.inl.count >= 2 && g.xl.count >= 2 && distinct >= g.inl.count + g.xl.count ? KSurveyKind::k3D
                                                                                          : KSurveyKind::k2D;
  if (inlRuns_ == g.inl.count && g.xl.count > 1)
    g.sorting = KSurveySorting::kInline;
  else if (xlRuns_ == g.xl.count)
    g.sorting = KSurveySorting::kCrossline;
  if (g.kind == KSurveyKind::k2D) {
    g.missing = Clamped(GridPlaces(g.inl) - static_cast<unsigned __int128>(g.inl.count));
    g.corners = {{firstInl_, firstXl_, origin_, false}, {lastInl_, lastXl_, last_, false}};
    g.outline = track_;
    return g;
  }
  g.missing = Clamped(GridPlaces(g.inl) * GridPlaces(g.xl) - static_cast<unsigned __int128>(distinct));
  for (auto [i, x] : {std::pair{g.inl.first, g.xl.first}, {g.inl.first, g.xl.last}, {g.inl.last, g.xl.last},
                      {g.inl.last, g.xl.first}}) {
    KSurveyCorner c{i, x, std::nullopt, false};
    c.point = Corner(i, x, c.estimated);
    g.corners.push_back(c);
    if (c.point) g.outline.push_back(*c.point);
  }
  return g;
}

const char* SurveySortingName(KSurveySorting sorting) {
  switch (sorting) {
    case KSurveySorting::kInline: return "inline";
    case KSurveySorting::kCrossline: return "crossline";
    default: return "unsorted";
  }
}
