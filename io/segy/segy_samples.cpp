#include "io/segy/segy_samples.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstring>

#include "io/segy/segy_format.h"

namespace {

// An unsigned integer of N bytes in order.
template <int N>
std::uint64_t Bytes(const unsigned char* p, KByteOrder order) {
  std::uint64_t v = 0;
  if (order == KByteOrder::kBig) {
    for (int i = 0; i < N; ++i) v = (v << 8) | p[i];
  } else {
    for (int i = N - 1; i >= 0; --i) v = (v << 8) | p[i];
  }
  return v;
}

// The same read as a two's-complement integer of N bytes.
template <int N>
std::int64_t Signed(const unsigned char* p, KByteOrder order) {
  const std::uint64_t v = Bytes<N>(p, order);
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

}  // namespace

double IbmToDouble(std::uint32_t bits) {
  const double fraction = static_cast<double>(bits & 0x00FFFFFFu);
  const int exponent = static_cast<int>((bits >> 24) & 0x7F) - 64;
  // fraction / 2^24 * 16^exponent: a power of two times a 24-bit integer.
  const double magnitude = std::ldexp(fraction, 4 * exponent - 24);
  return (bits & 0x80000000u) ? -magnitude : magnitude;
}

void DecodeSegySamples(const unsigned char* bytes, std::size_t count, int formatCode, KByteOrder order,
                       double* out) {
  const auto o = order;
  switch (formatCode) {
    case 1:
      Each<4>(bytes, count, out, [o](const unsigned char* p) {
        return IbmToDouble(static_cast<std::uint32_t>(Bytes<4>(p, o)));
      });
      break;
    case 2: case 4: Each<4>(bytes, count, out, [o](const unsigned char* p) { return double(Signed<4>(p, o)); }); break;
    case 3: Each<2>(bytes, count, out, [o](const unsigned char* p) { return double(Signed<2>(p, o)); }); break;
    case 5:
      Each<4>(bytes, count, out, [o](const unsigned char* p) {
        return double(std::bit_cast<float>(static_cast<std::uint32_t>(Bytes<4>(p, o))));
      });
      break;
    case 6: Each<8>(bytes, count, out, [o](const unsigned char* p) { return std::bit_cast<double>(Bytes<8>(p, o)); }); break;
    case 7: Each<3>(bytes, count, out, [o](const unsigned char* p) { return double(Signed<3>(p, o)); }); break;
    case 8: Each<1>(bytes, count, out, [o](const unsigned char* p) { return double(Signed<1>(p, o)); }); break;
    case 9: Each<8>(bytes, count, out, [o](const unsigned char* p) { return double(Signed<8>(p, o)); }); break;
    case 10: Each<4>(bytes, count, out, [o](const unsigned char* p) { return double(Bytes<4>(p, o)); }); break;
    case 11: Each<2>(bytes, count, out, [o](const unsigned char* p) { return double(Bytes<2>(p, o)); }); break;
    case 12: Each<8>(bytes, count, out, [o](const unsigned char* p) { return double(Bytes<8>(p, o)); }); break;
    case 15: Each<3>(bytes, count, out, [o](const unsigned char* p) { return double(Bytes<3>(p, o)); }); break;
    case 16: Each<1>(bytes, count, out, [o](const unsigned char* p) { return double(Bytes<1>(p, o)); }); break;
    default: std::fill(out, out + count, 0.0); break;
  }
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
