#pragma once
// Grid files of GRID3D elements built byte by byte in the layout the reader
// expects, spelled out here rather than taken from the reader: a 99-byte
// little-endian header (nx at 3, ny at 10, doubles x0 20, y0 34, dx 48,
// dy 62, z min -10 at 76, z max 30 at 90, storage code at 98), then values.
#include <cstddef>
#include <cstdint>
#include <string>

#include "io/grid/little_endian.h"

class GridBytes {
public:
  // The bytes between the header's fields are 0x55: nothing may read them.
  GridBytes(std::int32_t nx, std::int32_t ny, std::uint8_t storage = 8, double x0 = 1000, double y0 = 2000,
            double dx = 25, double dy = 50)
      : bytes_(99, '\x55') {
    Put(3, nx);
    Put(10, ny);
    Put(20, x0);
    Put(34, y0);
    Put(48, dx);
    Put(62, dy);
    Put(76, -10.0);
    Put(90, 30.0);
    Put(98, storage);
  }
  GridBytes& Double(double v) { return Add(v); }
  GridBytes& U16(std::uint16_t v) { return Add(v); }
  GridBytes& U32(std::uint32_t v) { return Add(v); }
  GridBytes& Byte(std::uint8_t v) { return Add(v); }
  GridBytes& Cut(std::size_t size) {
    bytes_.resize(size);
    return *this;
  }
  const std::string& bytes() const { return bytes_; }

private:
  template <class T>
  void Put(std::size_t at, T v) {
    kle::Store(reinterpret_cast<unsigned char*>(&bytes_[at]), v);
  }
  template <class T>
  GridBytes& Add(T v) {
    bytes_.resize(bytes_.size() + sizeof v);
    Put(bytes_.size() - sizeof v, v);
    return *this;
  }
  std::string bytes_;
};
