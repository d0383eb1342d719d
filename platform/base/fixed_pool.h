#pragma once
// Slots of one size carved from shared chunks, for the small objects a
// drawing holds by the hundred thousand (entries, point records, layers,
// blocks, tree nodes): a slot costs its size and nothing more, where the
// heap adds a size word and rounds up to its granule.
//
// A chunk goes back to the heap when its last slot is released, so closing
// a drawing gives its memory back. Under AddressSanitizer slots come from
// the heap one by one, so use after free and overflows stay visible.
#include <cstddef>
#include <new>

class KFixedPool {
public:
  explicit KFixedPool(std::size_t slotSize);
  // Only once every slot is released; the process-wide pools are never
  // destroyed, since pooled objects may die during static destruction.
  ~KFixedPool();
  KFixedPool(const KFixedPool&) = delete;
  KFixedPool& operator=(const KFixedPool&) = delete;

  void* Allocate();
  void Release(void* slot) noexcept;

  // The process-wide pool for slots of this many bytes (rounded up to 8).
  static KFixedPool& ForSize(std::size_t size);

  // Slots in use across the pool; for tests.
  std::size_t InUse() const;
  // False in sanitizer builds, where every slot is a heap block of its own.
  static bool Pooling();

private:
  struct Impl;
  Impl* impl_;
};

// The pool for objects of Size bytes, looked up once.
template <std::size_t Size>
KFixedPool& KPoolFor() {
  static_assert(Size <= 256, "larger objects are not pooled");
  static KFixedPool& pool = KFixedPool::ForSize(Size);
  return pool;
}

// The class-specific operator new and delete of a pooled type T. Derived
// classes of another size inherit them and go to the heap.
#define QUARVEL_POOLED(T)                                                            \
  static void* operator new(std::size_t size) {                                      \
    return size == sizeof(T) ? KPoolFor<sizeof(T)>().Allocate()                      \
                             : ::operator new(size);                                  \
  }                                                                                   \
  static void operator delete(void* p, std::size_t size) noexcept {                  \
    if (!p) return;                                                                   \
    if (size == sizeof(T))                                                            \
      KPoolFor<sizeof(T)>().Release(p);                                              \
    else                                                                              \
      ::operator delete(p);                                                           \
  }

// A std allocator whose single-object allocations come from the pool: the
// node containers of the path tree use it.
template <class T>
struct KPoolAllocator {
  using value_type = T;
  KPoolAllocator() = default;
  template <class U>
  KPoolAllocator(const KPoolAllocator<U>&) noexcept {}
  T* allocate(std::size_t n) {
    static_assert(alignof(T) <= alignof(void*), "pool slots are pointer aligned");
    if (n == 1) return static_cast<T*>(KPoolFor<sizeof(T)>().Allocate());
    return static_cast<T*>(::operator new(n * sizeof(T)));
  }
  void deallocate(T* p, std::size_t n) noexcept {
    if (n == 1)
      KPoolFor<sizeof(T)>().Release(p);
    else
      ::operator delete(p);
  }
  template <class U>
  bool operator==(const KPoolAllocator<U>&) const noexcept { return true; }
};
