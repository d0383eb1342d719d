#pragma once
// The f(x,y) net file: a little-endian binary grid of node records whose
// links say which neighbours are joined (a break line cuts a link), followed
// by a table of strips (runs of joined nodes up a column): the header, the
// nx * ny node records (column 0 first, strip by strip, upward), then per
// column an int32 strip count and that many strip headers.
#include <cstddef>
#include <cstdint>

#include "io/grid/little_endian.h"
#include "model/grid/link_direction.h"

namespace knet {

// The header.
constexpr std::size_t kOffsetX0 = 0;   // doubles
constexpr std::size_t kOffsetY0 = 8;
constexpr std::size_t kOffsetDx = 16;
constexpr std::size_t kOffsetDy = 24;
constexpr std::size_t kOffsetNx = 32;  // int32
constexpr std::size_t kOffsetNy = 36;  // int32
constexpr std::size_t kCountOffset = 40;
constexpr std::size_t kHeaderBytes = 44;
// A node record: its value (double), then its four links (int32 record
// numbers) in link order.
constexpr std::size_t kNodeLinksOffset = 8;
constexpr std::size_t kNodeRecordBytes = 24;
// A strip header: count, first row, a zero word (int16 each), first node
// (int32).
constexpr std::size_t kStripFirstRowOffset = 2;
constexpr std::size_t kStripPadOffset = 4;
constexpr std::size_t kStripFirstNodeOffset = 6;
constexpr std::size_t kStripHeaderBytes = 10;
constexpr std::int32_t kNoLink = -1;
// Strip counts and first rows are 16-bit.
constexpr int kMaxColumnNodes = 32767;

// Link order inside a node record.
using Link = klink::Direction;
using enum klink::Direction;

struct Header {
  double x0 = 0, y0 = 0, dx = 0, dy = 0;
  std::int32_t nx = 0, ny = 0;
  std::int32_t count = 0;  // node records
};

struct Node {
  double value = 0;
  std::int32_t links[4] = {kNoLink, kNoLink, kNoLink, kNoLink};
};

struct Strip {
  std::int32_t count = 0;      // int16 in the file
  std::int32_t firstRow = 0;   // int16 in the file
  std::int32_t firstNode = 0;  // number of its first node record
};

inline void EncodeHeader(const Header& h, unsigned char* p) {
  kle::Store(p + kOffsetX0, h.x0);
  kle::Store(p + kOffsetY0, h.y0);
  kle::Store(p + kOffsetDx, h.dx);
  kle::Store(p + kOffsetDy, h.dy);
  kle::Store(p + kOffsetNx, h.nx);
  kle::Store(p + kOffsetNy, h.ny);
  kle::Store(p + kCountOffset, h.count);
}
inline Header DecodeHeader(const unsigned char* p) {
  return {kle::Load<double>(p + kOffsetX0),        kle::Load<double>(p + kOffsetY0),
          kle::Load<double>(p + kOffsetDx),        kle::Load<double>(p + kOffsetDy),
          kle::Load<std::int32_t>(p + kOffsetNx),  kle::Load<std::int32_t>(p + kOffsetNy),
          kle::Load<std::int32_t>(p + kCountOffset)};
}

inline void EncodeNode(const Node& n, unsigned char* p) {
  kle::Store(p, n.value);
  for (std::size_t k = 0; k < 4; ++k) kle::Store(p + kNodeLinksOffset + 4 * k, n.links[k]);
}
inline Node DecodeNode(const unsigned char* p) {
  Node n;
  n.value = kle::Load<double>(p);
  for (std::size_t k = 0; k < 4; ++k) n.links[k] = kle::Load<std::int32_t>(p + kNodeLinksOffset + 4 * k);
  return n;
}

inline void EncodeStrip(const Strip& s, unsigned char* p) {
  kle::Store(p, static_cast<std::int16_t>(s.count));
  kle::Store(p + kStripFirstRowOffset, static_cast<std::int16_t>(s.firstRow));
  kle::Store(p + kStripPadOffset, std::int16_t{0});
  kle::Store(p + kStripFirstNodeOffset, s.firstNode);
}
// The strip at p; false when its zero word is not 0.
inline bool DecodeStrip(const unsigned char* p, Strip& s) {
  s.count = kle::Load<std::int16_t>(p);
  s.firstRow = kle::Load<std::int16_t>(p + kStripFirstRowOffset);
  s.firstNode = kle::Load<std::int32_t>(p + kStripFirstNodeOffset);
  return kle::Load<std::int16_t>(p + kStripPadOffset) == 0;
}

}  // namespace knet
