#pragma once
// Amplitude statistics over all traces of a SEG-Y file or every stride-th
// one, read trace by trace.
#include <cstdint>

#include "platform/base/result.h"
#include "platform/files/input_file.h"
#include "io/segy/segy_layout.h"

struct KSegyStats {
  // Over the finite samples; NaN when there is none.
  double min = 0, max = 0, rms = 0;
  std::int64_t samples = 0;    // every sample read
  std::int64_t zeros = 0;
  std::int64_t nonfinite = 0;  // NaN and infinities
  std::int64_t tracesRead = 0;
  // Samples the last trace read lacks, when the file ends inside it.
  std::int64_t cutSamples = 0;

  double ZeroShare() const { return samples ? static_cast<double>(zeros) / samples : 0.0; }
  double NonfiniteShare() const { return samples ? static_cast<double>(nonfinite) / samples : 0.0; }
};

// Reads traces 0, stride, 2 stride, ... (stride >= 1; refused otherwise),
// the last one cut short with the samples it holds. Fails naming the file
// when a read fails.
KResultWith<KSegyStats> ReadSegyStats(KInputFile& file, const KSegyLayout& layout, std::int64_t stride);
