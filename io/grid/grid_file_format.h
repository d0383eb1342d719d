#pragma once
// The binary grid file of GRID3D elements: a 99-byte little-endian header,
// then nx * ny values, row 0 (at y0) first and column 0 first within a row,
// stored as the header's storage code says. The bytes between the header's
// fields mean nothing and are written as 0.
#include <cstddef>
#include <cstdint>

#include "io/grid/little_endian.h"
#include "model/grid/kgrid3d.h"

namespace kgridfile {

constexpr std::size_t kOffsetNx = 3;         // int32
constexpr std::size_t kOffsetNy = 10;        // int32
constexpr std::size_t kOffsetX0 = 20;        // double, and so on
constexpr std::size_t kOffsetY0 = 34;
constexpr std::size_t kOffsetDx = 48;
constexpr std::size_t kOffsetDy = 62;
constexpr std::size_t kOffsetZMin = 76;
constexpr std::size_t kOffsetZMax = 90;
constexpr std::size_t kOffsetStorage = 98;   // one byte
constexpr std::size_t kHeaderSize = 99;

// Storage codes: values as uint16 or uint32 fractions of z min .. z max,
// any other code doubles.
constexpr std::uint8_t kStorage16 = 2;
constexpr std::uint8_t kStorage32 = 4;
constexpr std::uint8_t kStorageDouble = 8;

// The header's fields in file order, to name the first one a short file
// does not hold.
struct Field {
  std::size_t offset, size;
  const char* name;
};
inline constexpr Field kFields[] = {
    {kOffsetNx, 4, "nx"},      {kOffsetNy, 4, "ny"},      {kOffsetX0, 8, "x0"},
    {kOffsetY0, 8, "y0"},      {kOffsetDx, 8, "dx"},      {kOffsetDy, 8, "dy"},
    {kOffsetZMin, 8, "z min"}, {kOffsetZMax, 8, "z max"}, {kOffsetStorage, 1, "storage code"}};

// Bytes a stored value takes.
inline std::size_t ValueSize(std::uint8_t storage) {
  if (storage == kStorage16) return 2;
  if (storage == kStorage32) return 4;
  return 8;
}

// The header fields of grid from the kHeaderSize bytes at header; its
// values are left as they are.
inline void DecodeHeader(const unsigned char* header, KGridFile& grid) {
  grid.nx = kle::Load<std::int32_t>(header + kOffsetNx);
  grid.ny = kle::Load<std::int32_t>(header + kOffsetNy);
  grid.x0 = kle::Load<double>(header + kOffsetX0);
  grid.y0 = kle::Load<double>(header + kOffsetY0);
  grid.dx = kle::Load<double>(header + kOffsetDx);
  grid.dy = kle::Load<double>(header + kOffsetDy);
  grid.zMin = kle::Load<double>(header + kOffsetZMin);
  grid.zMax = kle::Load<double>(header + kOffsetZMax);
  grid.storage = header[kOffsetStorage];
}

// Stores grid's header fields into the kHeaderSize bytes at header, which
// the caller has zeroed.
inline void EncodeHeader(const KGridFile& grid, unsigned char* header) {
  kle::Store<std::int32_t>(header + kOffsetNx, grid.nx);
  kle::Store<std::int32_t>(header + kOffsetNy, grid.ny);
  kle::Store(header + kOffsetX0, grid.x0);
  kle::Store(header + kOffsetY0, grid.y0);
  kle::Store(header + kOffsetDx, grid.dx);
  kle::Store(header + kOffsetDy, grid.dy);
  kle::Store(header + kOffsetZMin, grid.zMin);
  kle::Store(header + kOffsetZMax, grid.zMax);
  header[kOffsetStorage] = grid.storage;
}

}  // namespace kgridfile
