#include "model/document/kcurve.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <utility>

namespace {
// The extras block: width, code, name length, name bytes.
constexpr std::size_t kWidthAt = 0;
constexpr std::size_t kCodeAt = kWidthAt + sizeof(double);
constexpr std::size_t kLengthAt = kCodeAt + sizeof(int);
constexpr std::size_t kNameAt = kLengthAt + sizeof(std::uint32_t);

template <class T>
T Field(const char* block, std::size_t at) {
  T value;
  std::memcpy(&value, block + at, sizeof value);
  return value;
}

std::unique_ptr<char[]> CopyExtras(const char* block) {
  if (!block) return nullptr;
  const std::size_t size = kNameAt + Field<std::uint32_t>(block, kLengthAt);
  auto copy = std::make_unique_for_overwrite<char[]>(size);
  std::memcpy(copy.get(), block, size);
  return copy;
}

// z of a curve without a z array: it has at most two points and no spare slots.
constexpr double kNoZ[2] = {0.0, 0.0};
}  // namespace

KCurve::KCurve() = default;

KCurve::KCurve(const KCurve& other)
    : KRecord(other), count(other.count), closure(other.closure), dimension(other.dimension),
      extras_(CopyExtras(other.extras_.get())) {
  CopyValuesFrom(other);
}

KCurve::KCurve(KCurve&& other) noexcept
    : KRecord(other), count(other.count), closure(other.closure), dimension(other.dimension),
      flags_(other.flags_), extras_(std::move(other.extras_)), storage_(other.storage_) {
  other.count = 0;
  other.flags_ = 0;
  other.storage_ = Storage{.local = {}};
}

KCurve& KCurve::operator=(const KCurve& other) {
  if (this != &other) *this = KCurve(other);
  return *this;
}

KCurve& KCurve::operator=(KCurve&& other) noexcept {
  if (this == &other) return *this;
  TakeValues(other);
  closure = other.closure;
  dimension = other.dimension;
  extras_ = std::move(other.extras_);
  return *this;
}

KCurve::~KCurve() { FreeBlock(); }

void KCurve::FreeBlock() {
  if (InBlock()) delete[] storage_.block;
  flags_ = 0;
  storage_ = Storage{.local = {}};
}

void KCurve::CopyValuesFrom(const KCurve& other) {
  flags_ = other.flags_;
  if (!other.InBlock()) {
    storage_ = other.storage_;
    return;
  }
  const std::size_t size = 4 * other.Stride();
  storage_.block = new double[size];
  std::copy(other.storage_.block, other.storage_.block + size, storage_.block);
}

void KCurve::TakeValues(KCurve& other) {
  FreeBlock();
  count = std::exchange(other.count, 0);
  flags_ = std::exchange(other.flags_, 0);
  storage_ = std::exchange(other.storage_, Storage{.local = {}});
}

std::string_view KCurve::name() const {
  if (!extras_) return {};
  return {extras_.get() + kNameAt, Field<std::uint32_t>(extras_.get(), kLengthAt)};
}
double KCurve::width() const { return extras_ ? Field<double>(extras_.get(), kWidthAt) : 0.0; }
int KCurve::code() const { return extras_ ? Field<int>(extras_.get(), kCodeAt) : 0; }

void KCurve::SetExtras(double width, int code, std::string_view name) {
  if (width == 0.0 && code == 0 && name.empty() && !std::signbit(width)) {
    extras_.reset();
    return;
  }
  // Names come from single lines of a file; longer ones are cut.
  const auto length = static_cast<std::uint32_t>(std::min<std::size_t>(name.size(), UINT32_MAX));
  auto block = std::make_unique_for_overwrite<char[]>(kNameAt + length);
  std::memcpy(block.get() + kWidthAt, &width, sizeof width);
  std::memcpy(block.get() + kCodeAt, &code, sizeof code);
  std::memcpy(block.get() + kLengthAt, &length, sizeof length);
  if (length > 0) std::memcpy(block.get() + kNameAt, name.data(), length);
  extras_ = std::move(block);
}
void KCurve::SetName(std::string_view name) { SetExtras(width(), code(), name); }
void KCurve::SetWidth(double width) { SetExtras(width, code(), name()); }
void KCurve::SetCode(int code) { SetExtras(width(), code, name()); }

double* KCurve::z() {
  MoveToBlock((flags_ & kSpare) != 0);
  return storage_.block + 3 * Stride();
}

const double* KCurve::z() const { return InBlock() ? storage_.block + 3 * Stride() : kNoZ; }

void KCurve::Allocate(int n) {
  FreeBlock();
  count = std::max(n, 0);
  if (count > kLocalPoints) {
    storage_.block = new double[4 * Stride()]();
    flags_ = kInBlock;
  }
}

void KCurve::MoveToBlock(bool spare) {
  const bool hasSpare = (flags_ & kSpare) != 0;
  if (InBlock() && (hasSpare || !spare)) return;
  const std::size_t from = Stride();
  const std::size_t to = static_cast<std::size_t>(count) + (spare || hasSpare ? 2 : 0);
  double* block = new double[4 * to]();
  // x, y and s (and z when there is one) keep their values; new slots are 0.
  const double* old = Values();
  const std::size_t arrays = InBlock() ? 4 : 3;
  for (std::size_t a = 0; a < arrays; ++a) std::copy(old + a * from, old + (a + 1) * from, block + a * to);
  FreeBlock();
  storage_.block = block;
  flags_ = static_cast<std::uint8_t>(kInBlock | (spare || hasSpare ? kSpare : 0));
}

void KCurve::FillSpareSlots() {
  if (count < 1) return;
  MoveToBlock(true);
  const std::size_t stride = Stride();
  const std::size_t n = static_cast<std::size_t>(count);
  // A one-point curve repeats its only point in both slots.
  const std::size_t second = count > 1 ? 1 : 0;
  for (std::size_t a = 0; a < 4; ++a) {
    double* values = storage_.block + a * stride;
    values[n] = values[0];
    values[n + 1] = values[second];
  }
}
