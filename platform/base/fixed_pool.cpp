#include "platform/base/fixed_pool.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <functional>
#include <mutex>
#include <vector>

#if defined(__SANITIZE_ADDRESS__)
#define QUARVEL_POOL_PASSTHROUGH 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define QUARVEL_POOL_PASSTHROUGH 1
#endif
#endif

namespace {
constexpr std::size_t kGranule = alignof(void*);
// Chunks start small, so a drawing of a few elements takes little, and grow
// with the slots in use up to this many bytes, so a large one takes few.
constexpr std::size_t kFirstChunkSlots = 32;
constexpr std::size_t kMaxChunkBytes = 256 * 1024;
// Slot sizes with a pool of their own; larger objects are not pooled.
constexpr std::size_t kMaxSlot = 256;

// A chunk's header; its slots follow. Each chunk keeps its own released
// slots, so a chunk whose last slot is released goes back to the heap.
struct Chunk {
  Chunk* prevOpen = nullptr;  // chunks with a slot to give, doubly linked
  Chunk* nextOpen = nullptr;
  bool open = false;
  void* freeList = nullptr;   // released slots, linked through their first word
  char* bump = nullptr;       // next never-used slot
  char* end = nullptr;
  std::size_t live = 0;
  bool Full() const { return !freeList && bump == end; }
};
constexpr std::size_t kHeader = (sizeof(Chunk) + kGranule - 1) / kGranule * kGranule;
}  // namespace

struct KFixedPool::Impl {
  std::size_t slot = 0;
  mutable std::mutex mutex;
  std::vector<Chunk*> chunks;  // by address, to find the chunk of a slot
  Chunk* firstOpen = nullptr;
  std::size_t inUse = 0;

  void Open(Chunk* c) {
    c->open = true;
    c->prevOpen = nullptr;
    c->nextOpen = firstOpen;
    if (firstOpen) firstOpen->prevOpen = c;
    firstOpen = c;
  }
  void Close(Chunk* c) {
    (c->prevOpen ? c->prevOpen->nextOpen : firstOpen) = c->nextOpen;
    if (c->nextOpen) c->nextOpen->prevOpen = c->prevOpen;
    c->open = false;
  }

  Chunk* NewChunk() {
    const std::size_t slots = std::clamp(inUse, kFirstChunkSlots, std::max<std::size_t>(1, kMaxChunkBytes / slot));
    char* bytes = static_cast<char*>(::operator new(kHeader + slots * slot));
    Chunk* c = new (bytes) Chunk;
    c->bump = bytes + kHeader;
    c->end = c->bump + slots * slot;
    chunks.insert(std::upper_bound(chunks.begin(), chunks.end(), c, std::less<>()), c);
    Open(c);
    return c;
  }

  Chunk* ChunkOf(void* p) const {
    auto it = std::upper_bound(chunks.begin(), chunks.end(), static_cast<Chunk*>(p), std::less<>());
    return *(it - 1);
  }

  void FreeChunk(Chunk* c) {
    if (c->open) Close(c);
    chunks.erase(std::lower_bound(chunks.begin(), chunks.end(), c, std::less<>()));
    if (chunks.empty()) std::vector<Chunk*>().swap(chunks);  // an idle pool holds nothing
    c->~Chunk();
    ::operator delete(static_cast<void*>(c));
  }
};

KFixedPool::KFixedPool(std::size_t slotSize) : impl_(new Impl) {
  impl_->slot = std::max(kGranule, (slotSize + kGranule - 1) / kGranule * kGranule);
}

KFixedPool::~KFixedPool() { delete impl_; }

void* KFixedPool::Allocate() {
  std::lock_guard<std::mutex> lock(impl_->mutex);
  Impl& s = *impl_;
#ifdef QUARVEL_POOL_PASSTHROUGH
  ++s.inUse;
  return ::operator new(s.slot);
#else
  Chunk* c = s.firstOpen ? s.firstOpen : s.NewChunk();
  void* p;
  if (c->freeList) {
    p = c->freeList;
    c->freeList = *static_cast<void**>(p);
  } else {
    p = c->bump;
    c->bump += s.slot;
  }
  ++c->live;
  ++s.inUse;
  if (c->Full()) s.Close(c);
  return p;
#endif
}

void KFixedPool::Release(void* slot) noexcept {
  if (!slot) return;
  std::lock_guard<std::mutex> lock(impl_->mutex);
  Impl& s = *impl_;
  --s.inUse;
#ifdef QUARVEL_POOL_PASSTHROUGH
  ::operator delete(slot);
#else
  Chunk* c = s.ChunkOf(slot);
  *static_cast<void**>(slot) = c->freeList;
  c->freeList = slot;
  if (--c->live == 0) {
    s.FreeChunk(c);
    return;
  }
  if (!c->open) s.Open(c);
#endif
}

std::size_t KFixedPool::InUse() const {
  std::lock_guard<std::mutex> lock(impl_->mutex);
  return impl_->inUse;
}

bool KFixedPool::Pooling() {
#ifdef QUARVEL_POOL_PASSTHROUGH
  return false;
#else
  return true;
#endif
}

KFixedPool& KFixedPool::ForSize(std::size_t size) {
  // One pool per granule-rounded size, made on first use and never destroyed.
  static std::array<KFixedPool*, kMaxSlot / kGranule + 1> pools{};
  static std::mutex made;
  const std::size_t index = (size + kGranule - 1) / kGranule;
  if (index >= pools.size()) throw std::bad_alloc();  // not a pooled size
  std::lock_guard<std::mutex> lock(made);
  if (!pools[index]) pools[index] = new KFixedPool(index * kGranule);
  return *pools[index];
}
