#pragma once
// The f(x,y) net file: a little-endian binary grid of node records whose
// links say which neighbours are joined (a break line cuts a link), followed
// by a table of strips (runs of joined nodes up a column).
//
//   offset 0   x0, y0, dx, dy    4 doubles
//   offset 32  nx, ny            2 int32
//   offset 40  N                 int32, number of node records (nx * ny)
//   offset 44  N node records    column 0 first, strip by strip, upward
//   then       per column: int32 strip count, then that many strip headers
#include <cstdint>
#include <cstring>
#include <string>

namespace knet {

constexpr std::size_t kHeaderBytes = 44;
constexpr std::size_t kCountOffset = 40;
constexpr std::size_t kNodeRecordBytes = 24;
constexpr std::size_t kStripHeaderBytes = 10;
constexpr std::int32_t kNoLink = -1;
// Strip counts and first rows are 16-bit.
constexpr int kMaxColumnNodes = 32767;

// Link order inside a node record.
enum Link : int { kPlusX = 0, kPlusY = 1, kMinusX = 2, kMinusY = 3 };

struct Node {
  double value = 0;
  std::int32_t links[4] = {kNoLink, kNoLink, kNoLink, kNoLink};
};

struct Strip {
  std::int32_t count = 0;      // int16 in the file
  std::int32_t firstRow = 0;   // int16 in the file
  std::int32_t firstNode = 0;  // number of its first node record
};

// Little-endian stores and loads, independent of the host's byte order.
inline void PutU(unsigned char* p, std::uint64_t v, int bytes) {
  for (int k = 0; k < bytes; ++k) p[k] = static_cast<unsigned char>(v >> (8 * k));
}
inline std::uint64_t GetU(const unsigned char* p, int bytes) {
  std::uint64_t v = 0;
  for (int k = 0; k < bytes; ++k) v |= static_cast<std::uint64_t>(p[k]) << (8 * k);
  return v;
}
inline void PutI32(unsigned char* p, std::int32_t v) { PutU(p, static_cast<std::uint32_t>(v), 4); }
inline void PutI16(unsigned char* p, std::int16_t v) { PutU(p, static_cast<std::uint16_t>(v), 2); }
inline void PutF64(unsigned char* p, double v) {
  std::uint64_t bits;
  std::memcpy(&bits, &v, 8);
  PutU(p, bits, 8);
}
inline std::int32_t GetI32(const unsigned char* p) {
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(GetU(p, 4)));
}
inline std::int16_t GetI16(const unsigned char* p) {
  return static_cast<std::int16_t>(static_cast<std::uint16_t>(GetU(p, 2)));
}
inline double GetF64(const unsigned char* p) {
  const std::uint64_t bits = GetU(p, 8);
  double v;
  std::memcpy(&v, &bits, 8);
  return v;
}

inline void EncodeNode(const Node& n, unsigned char* p) {
  PutF64(p, n.value);
  for (int k = 0; k < 4; ++k) PutI32(p + 8 + 4 * k, n.links[k]);
}
inline Node DecodeNode(const unsigned char* p) {
  Node n;
  n.value = GetF64(p);
  for (int k = 0; k < 4; ++k) n.links[k] = GetI32(p + 8 + 4 * k);
  return n;
}
inline void EncodeStrip(const Strip& s, unsigned char* p) {
  PutI16(p, static_cast<std::int16_t>(s.count));
  PutI16(p + 2, static_cast<std::int16_t>(s.firstRow));
  PutI16(p + 4, 0);
  PutI32(p + 6, s.firstNode);
}

}  // namespace knet
