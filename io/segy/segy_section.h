#pragma once
// The samples of a section: a range of traces, or the traces of one inline
// (those whose m word holds a number), read into memory as floats, with the
// label of each trace (its trace number, or for an inline its n word, the
// crossline).
#include <cstdint>
#include <vector>

#include "platform/base/result.h"
#include "platform/files/input_file.h"
#include "io/segy/segy_layout.h"
#include "io/segy/segy_traces.h"

struct KSegySectionRequest {
  // Trace numbers from 1, both included; last 0: up to kDefaultTraces.
  std::int64_t first = 1, last = 0;
  bool byInline = false;      // the traces whose m word is inlineNumber
  std::int32_t inlineNumber = 0;
  KSegyFields fields;         // where m and n are
};

struct KSegySection {
  std::int64_t traces = 0, samples = 0;
  double interval = 0;                // between samples, in the file's unit (microseconds for time)
  std::vector<float> values;          // trace by trace: values[t * samples + s]
  std::vector<std::int64_t> labels;   // one a trace
  bool crosslines = false;            // labels are n words rather than trace numbers

  float At(std::int64_t trace, std::int64_t sample) const {
    return values[static_cast<std::size_t>(trace * samples + sample)];
  }
};

// Traces shown when no range is asked for.
constexpr std::int64_t kDefaultSectionTraces = 1000;
// At most this many samples are held; a larger section is refused.
constexpr std::int64_t kMaxSectionSamples = std::int64_t{64} << 20;

// Reads the section. A last trace cut short holds zeros where the file
// ends. Refused, naming the file, for an empty or reversed range, a range
// past the last trace, an inline no trace holds, or a section of more than
// kMaxSectionSamples samples.
KResultWith<KSegySection> ReadSegySection(KInputFile& file, const KSegyLayout& layout,
                                          const KSegySectionRequest& request);

// What a viewer shows first: the first inline when the first two traces
// share a non-zero inline number at bytes 189-192, else the first traces.
KSegySectionRequest DefaultSegySection(KInputFile& file, const KSegyLayout& layout);
