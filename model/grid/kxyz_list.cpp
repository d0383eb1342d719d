// Storage, extent and rectangle thinning of x, y, z lists.
#include "model/grid/kxyz_list.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <stdexcept>

static_assert(sizeof(KXyz) == 24, "plain points carry no padding");
static_assert(sizeof(KXyzList) <= 40, "a drawing may hold a list for every dozen bytes");

namespace {

// A block starts with its capacity; one of at least kBoundsRoom points then
// has room for the bounds of its points; the points follow.
struct Bounds {
  double minX, minY, maxX, maxY;
};
constexpr std::size_t kBoundsRoom = 16;

std::size_t Capacity(const char* block) {
  std::size_t capacity;
  std::memcpy(&capacity, block, sizeof capacity);
  return capacity;
}
bool HasBoundsRoom(std::size_t capacity) { return capacity >= kBoundsRoom; }
std::size_t HeadBytes(std::size_t capacity) {
  return sizeof(std::size_t) + (HasBoundsRoom(capacity) ? sizeof(Bounds) : 0);
}
Bounds* BoundsOf(char* block) { return reinterpret_cast<Bounds*>(block + sizeof(std::size_t)); }

char* NewBlock(std::size_t capacity, std::size_t pointBytes) {
  if (capacity > KXyzList::kMaxSize) throw std::length_error("x, y, z list too long");
  char* block = static_cast<char*>(::operator new(HeadBytes(capacity) + capacity * pointBytes));
  std::memcpy(block, &capacity, sizeof capacity);
  return block;
}

bool Inside(const auto& p, double x1, double y1, double x2, double y2) {
  return x1 <= p.x && p.x <= x2 && y1 <= p.y && p.y <= y2;
}

}  // namespace

KXyzList::KXyzList(const KXyzList& other) : KRecord() { *this = other; }

KXyzList& KXyzList::operator=(const KXyzList& other) {
  if (this == &other) return *this;
  if (other.Weighted())
    Assign(static_cast<const KOne*>(other.Points()), other.size_);
  else
    Assign(static_cast<const KXyz*>(other.Points()), other.size_);
  return *this;
}

KXyzList::~KXyzList() { Reset(); }

void KXyzList::Reset() {
  if (InBlock()) ::operator delete(storage_.block);
  storage_.block = nullptr;
  size_ = 0;
  flags_ = 0;
}

const void* KXyzList::Points() const {
  return InBlock() ? static_cast<const void*>(storage_.block + HeadBytes(Capacity(storage_.block))) : &storage_.local;
}

void* KXyzList::Points() { return const_cast<void*>(std::as_const(*this).Points()); }

void KXyzList::Reserve(std::size_t capacity) {
  char* block = NewBlock(capacity, PointBytes());
  std::memcpy(block + HeadBytes(capacity), Points(), size_ * PointBytes());
  if (InBlock()) ::operator delete(storage_.block);
  storage_.block = block;
  flags_ = static_cast<std::uint8_t>((flags_ & kWeighted) | kInBlock);
}

KOne KXyzList::At(std::size_t i) const {
  if (Weighted()) return static_cast<const KOne*>(Points())[i];
  const KXyz& p = static_cast<const KXyz*>(Points())[i];
  return KOne{p.x, p.y, p.z};
}

void KXyzList::Assign(const KXyz* first, std::size_t count) {
  Reset();
  if (count == 1) {
    storage_.local = *first;
  } else if (count > 1) {
    Reserve(count);
    std::memcpy(Points(), first, count * sizeof(KXyz));
  }
  size_ = static_cast<std::uint32_t>(count);
}

void KXyzList::Assign(const KOne* first, std::size_t count) {
  Reset();
  if (std::all_of(first, first + count, HasDefaultWeightAndTag)) {
    if (count > 1) Reserve(count);
    auto* out = static_cast<KXyz*>(Points());  // the inside point when count is 1
    for (std::size_t i = 0; i < count; ++i) out[i] = KXyz{first[i].x, first[i].y, first[i].z};
  } else {
    flags_ = kWeighted;
    Reserve(count);
    std::copy(first, first + count, static_cast<KOne*>(Points()));
  }
  size_ = static_cast<std::uint32_t>(count);
}

void KXyzList::Grow() {
  if (size_ == kMaxSize) throw std::length_error("x, y, z list too long");
  Reserve(std::clamp<std::size_t>(2 * std::size_t{size_}, 2, kMaxSize));
}

void KXyzList::Append(const KXyz& p) {
  if (!InBlock() && size_ == 0) {
    storage_.local = p;
  } else {
    if (!InBlock() || size_ == Capacity(storage_.block)) Grow();
    static_cast<KXyz*>(Points())[size_] = p;
  }
  ++size_;
  flags_ &= static_cast<std::uint8_t>(~kKnown);
}

void KXyzList::Append(const KOne& p) {
  if (size_ == Capacity(storage_.block)) Grow();
  static_cast<KOne*>(Points())[size_] = p;
  ++size_;
  flags_ &= static_cast<std::uint8_t>(~kKnown);
}

void KXyzList::Add(const KOne& p) {
  if (Weighted()) {
    Append(p);
  } else if (HasDefaultWeightAndTag(p)) {
    Append(KXyz{p.x, p.y, p.z});
  } else {
    // The list turns weighted: every point so far takes the defaults.
    const std::size_t n = size_;
    char* block = NewBlock(n + 1, sizeof(KOne));
    KOne* out = reinterpret_cast<KOne*>(block + HeadBytes(n + 1));
    const auto* in = static_cast<const KXyz*>(Points());
    for (std::size_t i = 0; i < n; ++i) out[i] = KOne{in[i].x, in[i].y, in[i].z};
    Reset();
    storage_.block = block;
    flags_ = kInBlock | kWeighted;
    size_ = static_cast<std::uint32_t>(n);
    Append(p);
  }
}

void KXyzList::Extent(double& minX, double& minY, double& maxX, double& maxY) const {
  if (flags_ & kKnown) {
    const Bounds& known = *BoundsOf(storage_.block);
    if (known.minX < minX) minX = known.minX;
    if (known.maxX > maxX) maxX = known.maxX;
    if (known.minY < minY) minY = known.minY;
    if (known.maxY > maxY) maxY = known.maxY;
    return;
  }
  Visit([&](const auto& points) {
    for (const auto& p : points) {
      if (p.x < minX) minX = p.x;
      if (p.x > maxX) maxX = p.x;
      if (p.y < minY) minY = p.y;
      if (p.y > maxY) maxY = p.y;
    }
  });
}

void KXyzList::KnowBounds(double minX, double minY, double maxX, double maxY) {
  if (!InBlock() || !HasBoundsRoom(Capacity(storage_.block))) return;
  *BoundsOf(storage_.block) = {minX, minY, maxX, maxY};
  flags_ |= kKnown;
}

int KXyzList::RemoveInRect(double x1, double y1, double x2, double y2) {
  flags_ &= static_cast<std::uint8_t>(~kKnown);
  const auto removeFrom = [&](auto* points) {
    auto* end = std::remove_if(points, points + size_, [&](const auto& p) { return Inside(p, x1, y1, x2, y2); });
    const int n = static_cast<int>(points + size_ - end);
    size_ = static_cast<std::uint32_t>(end - points);
    return n;
  };
  return Weighted() ? removeFrom(static_cast<KOne*>(Points())) : removeFrom(static_cast<KXyz*>(Points()));
}
