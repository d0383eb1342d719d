#pragma once
// The four trace-header fields the analysis uses (x and y, the source
// position; m and n, two numbering fields), read from the 240-byte headers
// only: samples are never read.
#include <algorithm>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "platform/files/input_file.h"
#include "platform/base/result.h"
#include "io/segy/segy_format.h"
#include "io/segy/segy_layout.h"

// Byte offsets of the fields within a trace header, and their sizes (4-byte
// integers unless a field is chosen as a 2-byte one).
struct KSegyFields {
  int x = segy::kSourceXOffset;
  int y = segy::kSourceYOffset;
  int m = segy::kCdpOffset;
  int n = segy::kFieldRecordOffset;
  int xBytes = 4, yBytes = 4, mBytes = 4, nBytes = 4;
  // Bytes of a header that hold all four fields (and the coordinate
  // scalar when coordinates are scaled).
  int End(bool scaled = false) const {
    const int end = std::max({x + xBytes, y + yBytes, m + mBytes, n + nBytes});
    return scaled ? std::max(end, segy::kCoordScalarOffset + 2) : end;
  }
  bool Valid() const {
    for (auto [o, size] : {std::pair{x, xBytes}, {y, yBytes}, {m, mBytes}, {n, nBytes}})
      if (o < 0 || (size != 2 && size != 4) || o + size > segy::kTraceHeaderBytes) return false;
    return true;
  }
};

struct KTraceRow {
  std::int32_t m = 0, n = 0, x = 0, y = 0;
  std::int16_t scalar = 0;  // bytes 71-72
};

// Reads the header of trace `index` into out (240 bytes); returns how many
// bytes the file holds there (fewer than 240 only for a trace cut short at
// the end), or -1 when reading fails.
std::int64_t ReadTraceHeader(KInputFile& file, const KSegyLayout& layout, std::int64_t index,
                             unsigned char* out);
// The fields of a header; fields the header does not hold read as 0.
KTraceRow RowOf(const unsigned char* header, std::int64_t available, const KSegyFields& fields, KByteOrder order);

// m, n, x, y of the first traces (at most maxRows), of the traces that hold
// the four fields (KSegyLayout::TracesHolding).
KResultWith<std::vector<KTraceRow>> ReadTraceTable(KInputFile& file, const KSegyLayout& layout,
                                                   const KSegyFields& fields, std::size_t maxRows);

// A coordinate with the SEG-Y coordinate scalar applied: a positive scalar
// multiplies, a negative one divides by its magnitude, 0 leaves it.
double ScaledCoordinate(std::int32_t value, std::int16_t scalar);
// Shortest text that reads back as the same double ("620197.2").
std::string ShortestText(double value);
