#include "platform/fixed_pool.h"

#include <array>
#include <cstdint>
#include <mutex>

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
// to this many bytes, so a large one takes few chunks.
constexpr std::size_t kFirstChunkSlots = 32;
constexpr std::size_t kMaxChunkBytes = 256 * 1024;
// Slot sizes with a pool of their own; larger objects are not pooled.
constexpr std::size_t kMaxSlot = 256;
}  // namespace

struct KFixedPool::Impl {
  std::size_t slot;
  mutable std::mutex mutex;
  void* freeList = nullptr;     // released slots, linked through their first word
  void* chunks = nullptr;       // chunks, linked through their first word
  char* bump = nullptr;         // next never-used slot of the newest chunk
  char* bumpEnd = nullptr;
  std::size_t nextChunkSlots = kFirstChunkSlots;
  std::size_t inUse = 0;

  void FreeChunks() noexcept {
    while (chunks) {
      void* next = *static_cast<void**>(chunks);
      ::operator delete(chunks);
      chunks = next;
    }
    freeList = nullptr;
    bump = bumpEnd = nullptr;
    nextChunkSlots = kFirstChunkSlots;
  }

  void* NewChunkSlot() {
    const std::size_t bytes = kGranule + nextChunkSlots * slot;
    char* chunk = static_cast<char*>(::operator new(bytes));
    *reinterpret_cast<void**>(chunk) = chunks;
    chunks = chunk;
    bump = chunk + kGranule;
    bumpEnd = chunk + bytes;
    if ((nextChunkSlots * 2) * slot <= kMaxChunkBytes) nextChunkSlots *= 2;
    void* p = bump;
    bump += slot;
    return p;
  }
};

KFixedPool::KFixedPool(std::size_t slotSize) : impl_(new Impl{}) {
  impl_->slot = (slotSize + kGranule - 1) / kGranule * kGranule;
}

void* KFixedPool::Allocate() {
#ifdef QUARVEL_POOL_PASSTHROUGH
  std::lock_guard<std::mutex> lock(impl_->mutex);
  ++impl_->inUse;
  return ::operator new(impl_->slot);
#else
  std::lock_guard<std::mutex> lock(impl_->mutex);
  Impl& s = *impl_;
  void* p;
  if (s.freeList) {
    p = s.freeList;
    s.freeList = *static_cast<void**>(p);
  } else if (s.bump != s.bumpEnd) {
    p = s.bump;
    s.bump += s.slot;
  } else {
    p = s.NewChunkSlot();
  }
  ++s.inUse;
  return p;
#endif
}

void KFixedPool::Release(void* slot) noexcept {
  if (!slot) return;
  std::lock_guard<std::mutex> lock(impl_->mutex);
  --impl_->inUse;
#ifdef QUARVEL_POOL_PASSTHROUGH
  ::operator delete(slot);
#else
  *static_cast<void**>(slot) = impl_->freeList;
  impl_->freeList = slot;
  if (impl_->inUse == 0) impl_->FreeChunks();
#endif
}

std::size_t KFixedPool::InUse() const {
  std::lock_guard<std::mutex> lock(impl_->mutex);
  return impl_->inUse;
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
