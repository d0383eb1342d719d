#include "io/segy/segy_section.h"

#include <algorithm>
#include <cerrno>
#include <string>

#include "io/segy/segy_samples.h"
#include "io/segy/segy_words.h"

namespace {

KResult Refused(const KSegyLayout& layout, const std::string& what) {
  return KResult(KStatus::kRefused, "SEG-Y file '" + layout.path + "': " + what);
}

// Trace indexes and labels of the traces whose m word is the inline.
KResult FindInline(KInputFile& file, const KSegyLayout& layout, const KSegySectionRequest& request,
                   std::vector<std::int64_t>& indexes, std::vector<std::int64_t>& labels) {
  const std::int64_t count = layout.TracesHolding(request.fields.End());
  unsigned char header[segy::kTraceHeaderBytes];
  for (std::int64_t i = 0; i < count; ++i) {
    const std::int64_t got = ReadTraceHeader(file, layout, i, header);
    if (got < 0) return ErrnoResult(KStatus::kCannotOpen, "cannot read", layout.path, errno);
    const KTraceRow row = RowOf(header, got, request.fields, layout.traceByteOrder);
    if (row.m != request.inlineNumber) continue;
    indexes.push_back(i);
    labels.push_back(row.n);
  }
  if (indexes.empty())
    return Refused(layout, "no trace has inline " + std::to_string(request.inlineNumber) + " in bytes " +
                               std::to_string(request.fields.m + 1) + "-" +
                               std::to_string(request.fields.m + request.fields.mBytes));
  return KResult::Ok();
}

}  // namespace

KResultWith<KSegySection> ReadSegySection(KInputFile& file, const KSegyLayout& layout,
                                          const KSegySectionRequest& request) {
  KSegySection section;
  section.samples = layout.samples;
  section.interval = layout.interval;
  std::vector<std::int64_t> indexes;
  // Traces that hold at least one sample.
  const std::int64_t headers = segy::kTraceHeaderBytes * (1 + static_cast<std::int64_t>(layout.extraTraceHeaders));
  const std::int64_t held = layout.traces + (layout.leftover >= headers + layout.bytesPerSample ? 1 : 0);
  if (held == 0) return {Refused(layout, "the file holds no trace samples"), section};
  if (request.byInline) {
    if (!request.fields.Valid()) return {Refused(layout, "the m and n words must lie in the trace header"), section};
    if (KResult found = FindInline(file, layout, request, indexes, section.labels); !found) return {found, section};
    section.crosslines = true;
  } else {
    const std::int64_t last = request.last > 0 ? request.last : std::min(held, request.first + kDefaultSectionTraces - 1);
    if (request.first < 1 || last < request.first)
      return {Refused(layout, "trace range " + std::to_string(request.first) + ":" + std::to_string(last) +
                                  " is empty; traces count from 1"), section};
    if (request.first > held)
      return {Refused(layout, "trace range starts at " + std::to_string(request.first) + ", past the last trace " +
                                  std::to_string(held)), section};
    for (std::int64_t t = request.first; t <= std::min(last, held); ++t) {
      indexes.push_back(t - 1);
      section.labels.push_back(t);
    }
  }
  section.traces = static_cast<std::int64_t>(indexes.size());
  if (section.samples > kMaxSectionSamples / section.traces)
    return {Refused(layout, std::to_string(section.traces) + " traces of " + std::to_string(section.samples) +
                                " samples are more than a section holds (" + std::to_string(kMaxSectionSamples) +
                                " samples): choose fewer traces"), section};
  section.values.assign(static_cast<std::size_t>(section.traces * section.samples), 0.0f);
  KSegySampleReader reader(file, layout);
  for (std::size_t k = 0; k < indexes.size(); ++k) {
    const std::int64_t got = reader.Read(indexes[k]);
    if (got < 0) return {ErrnoResult(KStatus::kCannotOpen, "cannot read", layout.path, errno), section};
    std::copy(reader.samples().begin(), reader.samples().end(),
              section.values.begin() + static_cast<std::ptrdiff_t>(k * static_cast<std::size_t>(section.samples)));
  }
  return section;
}

KSegySectionRequest DefaultSegySection(KInputFile& file, const KSegyLayout& layout) {
  KSegySectionRequest request;
  KResultWith<KSegyFields> cube = SegyPreset("3d");
  if (!cube) return request;
  request.fields = cube.value();
  KResultWith<std::vector<KTraceRow>> rows = ReadTraceTable(file, layout, request.fields, 2);
  // Two traces of the same non-zero inline at bytes 189-192: a cube.
  if (rows && rows.value().size() == 2 && rows.value()[0].m != 0 && rows.value()[0].m == rows.value()[1].m) {
    request.byInline = true;
    request.inlineNumber = rows.value()[0].m;
  }
  return request;
}
