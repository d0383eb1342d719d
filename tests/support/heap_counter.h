#pragma once
// Heap use of the test program, counted by its replacement of the global
// operator new and delete: each block counts as what it takes of the heap,
// its usable size and the size word before it. Memory the C library
// allocates by itself is not counted.
#include <cstdint>

// Bytes in blocks allocated and not yet freed.
std::int64_t HeapInUse();
// The most HeapInUse() has been since the last ResetHeapPeak().
std::int64_t HeapPeak();
void ResetHeapPeak();
