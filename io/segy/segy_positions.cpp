#include "io/segy/segy_positions.h"

#include <charconv>
#include <string>

#include "io/segy/segy_header_scan.h"

namespace {

void AppendInt(std::string& text, std::int64_t v) {
  char buf[24];
  const auto r = std::to_chars(buf, buf + sizeof buf, v);
  text.append(buf, r.ptr);
}

void AppendCoordinate(std::string& text, std::int32_t v, std::int16_t scalar, bool scaled) {
  if (scaled && scalar != 0)
    text += ShortestText(ScaledCoordinate(v, scalar));
  else
    AppendInt(text, v);
}

// Output goes out in blocks of about this size.
constexpr std::size_t kBlock = 1 << 16;

}  // namespace

KResult WritePositions(KInputFile& file, const KSegyLayout& layout, const KPositionsOptions& options,
                       const std::function<void(std::string_view)>& out, KProgressSink* progress) {
  if (!options.fields.Valid())
    return KResult(KStatus::kRefused, "trace-header field offsets must lie inside the 240-byte header");
  const std::int64_t count = layout.TracesHolding(options.fields.End(options.scaled));
  if (progress) progress->SetTotal(layout.fileSize);
  std::string text;
  text.reserve(kBlock + 128);
  bool started = false;
  std::int32_t previous = 0;
  KHeaderScan scan;
  scan.count = count;
  const KResult read = ScanTraceHeaders(file, layout, scan, [&](std::int64_t i, const unsigned char* header,
                                                                 std::int64_t got) {
    const KTraceRow row = RowOf(header, got, options.fields, layout.traceByteOrder);
    if (!started || row.n != previous) {
      started = true;
      previous = row.n;
      // Where a reader of m, n, x, then y stands after this trace's y.
      const std::int64_t position = layout.TraceStart(i) + options.fields.y + options.fields.yBytes;
      if (static_cast<double>(position) > options.limit) return false;
      if (progress) progress->SetPos(position);
      text += "\npline.";
      AppendInt(text, row.n);
      text += '\n';
    }
    AppendCoordinate(text, row.x, row.scalar, options.scaled);
    text += ',';
    AppendCoordinate(text, row.y, row.scalar, options.scaled);
    text += '\n';
    if (text.size() >= kBlock) {
      out(text);
      text.clear();
    }
    return true;
  });
  if (!read) return read;
  text += '\n';
  out(text);
  return KResult::Ok();
}
