#include "io/segy/segy_samples.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <cstring>
#include <type_traits>

#include "io/segy/segy_format.h"

namespace {

// An unsigned integer of N bytes, big-endian or little-endian: whole
// words are loaded and byte-swapped when the order is not the machine's.
template <int N, bool Big>
std::uint64_t Bytes(const unsigned char* p) {
  constexpr bool swap = Big != (std::endian::native == std::endian::big);
  if constexpr (N == 2 || N == 4 || N == 8) {
    using Word = std::conditional_t<N == 2, std::uint16_t, std::conditional_t<N == 4, std::uint32_t, std::uint64_t>>;
    Word w;
    std::memcpy(&w, p, N);
    if constexpr (swap) {
      if constexpr (N == 2) w = __builtin_bswap16(w);
      if constexpr (N == 4) w = __builtin_bswap32(w);
      if constexpr (N == 8) w = __builtin_bswap64(w);
    }
    return w;
  } else {
    std::uint64_t v = 0;
    if constexpr (Big) {
      for (int i = 0; i < N; ++i) v = (v << 8) | p[i];
    } else {
      for (int i = N - 1; i >= 0; --i) v = (v << 8) | p[i];
    }
    return v;
  }
}

// 2^k as a double, for the exponents of normal doubles.
constexpr double PowerOfTwo(int k) { return std::bit_cast<double>(static_cast<std::uint64_t>(k + 1023) << 52); }

// 16^(e - 64) / 2^24 for every 7-bit IBM exponent e: 2^-280 .. 2^228.
constexpr std::array<double, 128> kIbmScale = [] {
  std::array<double, 128> powers{};
  for (int e = 0; e < 128; ++e) powers[static_cast<std::size_t>(e)] = PowerOfTwo(4 * (e - 64) - 24);
  return powers;
}();

// The same read as a two's-complement integer of N bytes.
template <int N, bool Big>
std::int64_t Signed(const unsigned char* p) {
  const std::uint64_t v = Bytes<N, Big>(p);
  if constexpr (N == 8) {
    return static_cast<std::int64_t>(v);
  } else {
    const std::uint64_t sign = std::uint64_t{1} << (8 * N - 1);
    return static_cast<std::int64_t>(v ^ sign) - static_cast<std::int64_t>(sign);
  }
}

template <int N, class Convert>
void Each(const unsigned char* bytes, std::size_t count, double* out, Convert convert) {
  for (std::size_t i = 0; i < count; ++i) out[i] = convert(bytes + i * N);
}

// The byte order is a template argument so that each loop compiles to
// plain loads and byte swaps.
template <bool B>
void Decode(const unsigned char* bytes, std::size_t count, int formatCode, double* out) {
  using P = const unsigned char*;
  switch (formatCode) {
    case 1: Each<4>(bytes, count, out, [](P p) { return IbmToDouble(static_cast<std::uint32_t>(Bytes<4, B>(p))); }); break;
    case 2: case 4: Each<4>(bytes, count, out, [](P p) { return double(Signed<4, B>(p)); }); break;
    case 3: Each<2>(bytes, count, out, [](P p) { return double(Signed<2, B>(p)); }); break;
    case 5:
      Each<4>(bytes, count, out, [](P p) { return double(std::bit_cast<float>(static_cast<std::uint32_t>(Bytes<4, B>(p)))); });
      break;
    case 6: Each<8>(bytes, count, out, [](P p) { return std::bit_cast<double>(Bytes<8, B>(p)); }); break;
    case 7: Each<3>(bytes, count, out, [](P p) { return double(Signed<3, B>(p)); }); break;
    case 8: Each<1>(bytes, count, out, [](P p) { return double(Signed<1, B>(p)); }); break;
    case 9: Each<8>(bytes, count, out, [](P p) { return double(Signed<8, B>(p)); }); break;
    case 10: Each<4>(bytes, count, out, [](P p) { return double(Bytes<4, B>(p)); }); break;
    case 11: Each<2>(bytes, count, out, [](P p) { return double(Bytes<2, B>(p)); }); break;
    case 12: Each<8>(bytes, count, out, [](P p) { return double(Bytes<8, B>(p)); }); break;
    case 15: Each<3>(bytes, count, out, [](P p) { return double(Bytes<3, B>(p)); }); break;
    case 16: Each<1>(bytes, count, out, [](P p) { return double(Bytes<1, B>(p)); }); break;
    default: std::fill(out, out + count, 0.0); break;
  }
}

}  // namespace

double IbmToDouble(std::uint32_t bits) {
  // The 24-bit fraction times a power of two that is a normal double: the
  // product is exact.
  const double magnitude = static_cast<double>(bits & 0x00FFFFFFu) * kIbmScale[(bits >> 24) & 0x7F];
  return (bits & 0x80000000u) ? -magnitude : magnitude;
}

void DecodeSegySamples(const unsigned char* bytes, std::size_t count, int formatCode, KByteOrder order,
                       double* out) {
  if (order == KByteOrder::kBig)
    Decode<true>(bytes, count, formatCode, out);
  else
    Decode<false>(bytes, count, formatCode, out);
}

KSegySampleReader::KSegySampleReader(KInputFile& file, const KSegyLayout& layout)
    : file_(file),
      layout_(layout),
      headerBytes_(segy::kTraceHeaderBytes * (1 + static_cast<std::int64_t>(layout.extraTraceHeaders))) {}

std::int64_t KSegySampleReader::Read(std::int64_t index) {
  samples_.clear();
  const std::int64_t bps = layout_.bytesPerSample;
  if (bps <= 0 || index < 0) return 0;
  const std::int64_t start = layout_.TraceStart(index) + headerBytes_;
  // Never past the end: a last trace cut short gives the samples it holds.
  const std::int64_t held = std::clamp<std::int64_t>((layout_.fileSize - start) / bps, 0, layout_.samples);
  if (held == 0) return 0;
  bytes_.resize(static_cast<std::size_t>(held * bps));
  const std::int64_t got = file_.ReadAt(start, bytes_.data(), bytes_.size());
  if (got < 0) return -1;
  const std::int64_t count = got / bps;
  samples_.resize(static_cast<std::size_t>(count));
  DecodeSegySamples(bytes_.data(), samples_.size(), layout_.formatCode, layout_.traceByteOrder, samples_.data());
  return count;
}
