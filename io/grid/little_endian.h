#pragma once
// Little-endian loads and stores of the binary grid and net files, the same
// on any host: the lowest byte first, floating values by their IEEE bits.
#include <bit>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <type_traits>

namespace kle {

// The unsigned integer as wide as T.
template <class T>
using Bits = std::conditional_t<
    sizeof(T) == 1, std::uint8_t,
    std::conditional_t<sizeof(T) == 2, std::uint16_t, std::conditional_t<sizeof(T) == 4, std::uint32_t, std::uint64_t>>>;

// T from the sizeof(T) bytes at p, which the caller knows to be there.
// T is an integer or floating type of 1, 2, 4 or 8 bytes.
template <class T>
T Load(const unsigned char* p) {
  static_assert(std::is_arithmetic_v<T> && sizeof(T) == sizeof(Bits<T>));
  Bits<T> v = 0;
  for (std::size_t k = 0; k < sizeof(T); ++k) v = static_cast<Bits<T>>(v | static_cast<Bits<T>>(p[k]) << (8 * k));
  return std::bit_cast<T>(v);
}

// Stores value into the sizeof(T) bytes at p.
template <class T>
void Store(unsigned char* p, T value) {
  static_assert(std::is_arithmetic_v<T> && sizeof(T) == sizeof(Bits<T>));
  const auto v = std::bit_cast<Bits<T>>(value);
  for (std::size_t k = 0; k < sizeof(T); ++k) p[k] = static_cast<unsigned char>(v >> (8 * k));
}

// T at offset of bytes, or nothing when the bytes do not hold it whole.
template <class T>
std::optional<T> LoadAt(std::span<const unsigned char> bytes, std::size_t offset) {
  if (offset > bytes.size() || bytes.size() - offset < sizeof(T)) return std::nullopt;
  return Load<T>(bytes.data() + offset);
}

inline std::span<const unsigned char> Bytes(std::string_view text) {
  return {reinterpret_cast<const unsigned char*>(text.data()), text.size()};
}

}  // namespace kle
