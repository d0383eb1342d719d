// Header integers in either byte order.
#include "io/segy/segy_layout.h"

namespace {

std::uint64_t Unsigned(const unsigned char* bytes, int n, KByteOrder order) {
  std::uint64_t v = 0;
  if (order == KByteOrder::kBig) {
    for (int i = 0; i < n; ++i) v = (v << 8) | bytes[i];
  } else {
    for (int i = n - 1; i >= 0; --i) v = (v << 8) | bytes[i];
  }
  return v;
}

}  // namespace

std::int32_t SegyInt32(const unsigned char* bytes, KByteOrder order) {
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(Unsigned(bytes, 4, order)));
}
std::int16_t SegyInt16(const unsigned char* bytes, KByteOrder order) {
  return static_cast<std::int16_t>(static_cast<std::uint16_t>(Unsigned(bytes, 2, order)));
}
std::uint16_t SegyUInt16(const unsigned char* bytes, KByteOrder order) {
  return static_cast<std::uint16_t>(Unsigned(bytes, 2, order));
}
std::uint32_t SegyUInt32(const unsigned char* bytes, KByteOrder order) {
  return static_cast<std::uint32_t>(Unsigned(bytes, 4, order));
}
std::uint64_t SegyUInt64(const unsigned char* bytes, KByteOrder order) { return Unsigned(bytes, 8, order); }
