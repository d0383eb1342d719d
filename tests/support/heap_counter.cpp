#include "tests/support/heap_counter.h"

#include <malloc.h>

#include <atomic>
#include <cstdlib>
#include <new>

namespace {

std::atomic<std::int64_t> inUse{0};
std::atomic<std::int64_t> peak{0};

// The heap's own size word in front of every block.
constexpr std::int64_t kBlockHeader = sizeof(std::size_t);

std::int64_t Taken(void* p) { return static_cast<std::int64_t>(malloc_usable_size(p)) + kBlockHeader; }

void Count(std::int64_t bytes) {
  const std::int64_t now = inUse.fetch_add(bytes, std::memory_order_relaxed) + bytes;
  std::int64_t seen = peak.load(std::memory_order_relaxed);
  while (now > seen && !peak.compare_exchange_weak(seen, now, std::memory_order_relaxed)) {
  }
}

}  // namespace

std::int64_t HeapInUse() { return inUse.load(); }
std::int64_t HeapPeak() { return peak.load(); }
void ResetHeapPeak() { peak.store(inUse.load()); }

void* operator new(std::size_t size) {
  void* p = std::malloc(size == 0 ? 1 : size);
  if (!p) throw std::bad_alloc();
  Count(Taken(p));
  return p;
}

void operator delete(void* p) noexcept {
  if (!p) return;
  Count(-Taken(p));
  std::free(p);
}

void operator delete(void* p, std::size_t) noexcept { operator delete(p); }
