#pragma once
#include <cstdint>
#include <cstring>
#include <string>

// Builds grid files byte by byte in the layout the reader expects: a 99-byte
// little-endian header (nx at 3, ny at 10, doubles x0 20, y0 34, dx 48, dy 62,
// z min 76, z max 90, storage code at 98), then the values.
class GridBytes {
public:
  GridBytes(std::int32_t nx, std::int32_t ny, std::uint8_t storage = 8) : bytes_(99, '\x55') {
    PutI32(3, nx);
    PutI32(10, ny);
    PutDouble(20, 1000.0);   // x0
    PutDouble(34, 2000.0);   // y0
    PutDouble(48, 25.0);     // dx
    PutDouble(62, 50.0);     // dy
    PutDouble(76, -10.0);    // z min
    PutDouble(90, 30.0);     // z max
    bytes_[98] = storage;
  }
  GridBytes& Double(double v) {
    std::uint64_t u;
    std::memcpy(&u, &v, 8);
    for (int i = 0; i < 8; ++i) bytes_.push_back(static_cast<char>(u >> (8 * i)));
    return *this;
  }
  GridBytes& U16(std::uint16_t v) {
    bytes_.push_back(static_cast<char>(v));
    bytes_.push_back(static_cast<char>(v >> 8));
    return *this;
  }
  GridBytes& U32(std::uint32_t v) {
    for (int i = 0; i < 4; ++i) bytes_.push_back(static_cast<char>(v >> (8 * i)));
    return *this;
  }
  GridBytes& Byte(std::uint8_t v) {
    bytes_.push_back(static_cast<char>(v));
    return *this;
  }
  GridBytes& Cut(std::size_t size) {
    bytes_.resize(size);
    return *this;
  }
  // A header placed elsewhere: origin and steps.
  GridBytes& At(double x0, double y0, double dx, double dy) {
    PutDouble(20, x0);
    PutDouble(34, y0);
    PutDouble(48, dx);
    PutDouble(62, dy);
    return *this;
  }
  const std::string& bytes() const { return bytes_; }

private:
  void PutI32(std::size_t at, std::int32_t v) {
    const auto u = static_cast<std::uint32_t>(v);
    for (int i = 0; i < 4; ++i) bytes_[at + i] = static_cast<char>(u >> (8 * i));
  }
  void PutDouble(std::size_t at, double v) {
    std::uint64_t u;
    std::memcpy(&u, &v, 8);
    for (int i = 0; i < 8; ++i) bytes_[at + i] = static_cast<char>(u >> (8 * i));
  }
  std::string bytes_;
};
