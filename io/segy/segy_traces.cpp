#include "io/segy/segy_traces.h"

#include <cerrno>
#include <charconv>
#include <cstring>

std::int64_t ReadTraceHeader(KInputFile& file, const KSegyLayout& layout, std::int64_t index,
                             unsigned char* out) {
  const std::int64_t start = layout.TraceStart(index);
  const std::int64_t left = layout.fileSize - start;
  if (left <= 0) return 0;
  const std::size_t want = static_cast<std::size_t>(std::min<std::int64_t>(left, segy::kTraceHeaderBytes));
  return file.ReadAt(start, out, want);
}

KTraceRow RowOf(const unsigned char* header, std::int64_t available, const KSegyFields& fields, KByteOrder order) {
  auto field = [&](int offset, int size) -> std::int32_t {
    if (offset < 0 || offset + size > available) return 0;
    return size == 2 ? SegyInt16(header + offset, order) : SegyInt32(header + offset, order);
  };
  KTraceRow row;
  row.m = field(fields.m, fields.mBytes);
  row.n = field(fields.n, fields.nBytes);
  row.x = field(fields.x, fields.xBytes);
  row.y = field(fields.y, fields.yBytes);
  if (segy::kCoordScalarOffset + 2 <= available) row.scalar = SegyInt16(header + segy::kCoordScalarOffset, order);
  return row;
}

KResultWith<std::vector<KTraceRow>> ReadTraceTable(KInputFile& file, const KSegyLayout& layout,
                                                   const KSegyFields& fields, std::size_t maxRows) {
  std::vector<KTraceRow> rows;
  const std::int64_t count = std::min<std::int64_t>(layout.TracesHolding(fields.End()),
                                                    static_cast<std::int64_t>(maxRows));
  rows.reserve(static_cast<std::size_t>(std::max<std::int64_t>(count, 0)));
  unsigned char header[segy::kTraceHeaderBytes];
  for (std::int64_t i = 0; i < count; ++i) {
    const std::int64_t got = ReadTraceHeader(file, layout, i, header);
    if (got < 0) return {ErrnoResult(KStatus::kCannotOpen, "cannot read", layout.path, errno), std::move(rows)};
    rows.push_back(RowOf(header, got, fields, layout.traceByteOrder));
  }
  return rows;
}

double ScaledCoordinate(std::int32_t value, std::int16_t scalar) {
  if (scalar > 0) return static_cast<double>(value) * scalar;
  if (scalar < 0) return static_cast<double>(value) / -static_cast<double>(scalar);
  return value;
}

std::string ShortestText(double value) {
  char buf[32];
  const auto r = std::to_chars(buf, buf + sizeof buf, value);
  return std::string(buf, r.ptr);
}
