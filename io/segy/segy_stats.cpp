#include "io/segy/segy_stats.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <limits>

#include "io/segy/segy_samples.h"

KResultWith<KSegyStats> ReadSegyStats(KInputFile& file, const KSegyLayout& layout, std::int64_t stride) {
  KSegyStats stats;
  if (stride < 1) return {KResult(KStatus::kRefused, "the trace stride must be 1 or more"), stats};
  KSegySampleReader reader(file, layout);
  double lo = std::numeric_limits<double>::infinity(), hi = -lo, squares = 0;
  const std::int64_t traces = layout.traces + (layout.leftover > 0 ? 1 : 0);
  for (std::int64_t t = 0; t < traces; t += stride) {
    const std::int64_t held = reader.Read(t);
    if (held < 0) return {ErrnoResult(KStatus::kCannotOpen, "cannot read", layout.path, errno), stats};
    // A trace cut inside its header holds no samples and is not counted.
    if (held == 0 && t >= layout.traces) break;
    ++stats.tracesRead;
    stats.cutSamples = layout.samples - held;
    for (const double v : reader.samples()) {
      if (!std::isfinite(v)) [[unlikely]] {
        ++stats.nonfinite;
        continue;
      }
      stats.zeros += v == 0;
      lo = std::min(lo, v);
      hi = std::max(hi, v);
      squares += v * v;
    }
    stats.samples += held;
  }
  const std::int64_t finite = stats.samples - stats.nonfinite;
  const double nan = std::numeric_limits<double>::quiet_NaN();
  stats.min = finite ? lo : nan;
  stats.max = finite ? hi : nan;
  stats.rms = finite ? std::sqrt(squares / static_cast<double>(finite)) : nan;
  return stats;
}
