#include "window/segy/segy_report.h"

#include "io/segy/segy_format.h"
#include "window/segy/ksegy_analysis.h"

std::vector<KSegyReportValue> SegyLayoutReport(const KSegyAnalysis& analysis) {
  const KSegyLayout& l = analysis.Layout();
  return {
      {"file", l.path},
      {"byte_order", std::string(l.byteOrder == KByteOrder::kBig ? "big" : "little")},
      {"format", std::int64_t{l.formatCode}},
      {"format_text", std::string(segy::FormatText(l.formatCode))},
      {"bytes_per_sample", std::int64_t{l.bytesPerSample}},
      {"samples", std::int64_t{l.samples}},
      {"interval", std::int64_t{l.interval}},
      {"first_trace", std::int64_t{l.firstTrace}},
      {"trace_bytes", std::int64_t{l.traceLength}},
      {"traces", std::int64_t{l.traces}},
      {"trace_byte_order", std::string(l.traceByteOrder == KByteOrder::kBig ? "big" : "little")},
  };
}

std::vector<std::string> SegyWarningTexts(const KSegyAnalysis& analysis) {
  std::vector<std::string> texts;
  for (const KWarning& w : analysis.Warnings()) texts.push_back(WarningText(w));
  return texts;
}
