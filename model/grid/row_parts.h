#pragma once
// Passes over a grid whose rows (or blocks) are independent of each other,
// split over threads.
#include <algorithm>
#include <thread>
#include <vector>

// The number of parts ForRowParts makes of count.
inline int RowParts(int threads, int count, int minPart) {
  return std::clamp(count / std::max(minPart, 1), 1, std::max(threads, 1));
}

// Calls body(part, first, last) for contiguous parts of [0, count), at most
// `threads` of them and none shorter than minPart, the first on the calling
// thread; returns when every part is done. Starting a thread costs tens of
// microseconds, so small ranges stay on one. body must not throw.
template <class Body>
void ForRowParts(int threads, int count, int minPart, Body&& body) {
  const int parts = RowParts(threads, count, minPart);
  if (parts == 1) {
    body(0, 0, count);
    return;
  }
  const auto bound = [&](int p) { return static_cast<int>(static_cast<long long>(count) * p / parts); };
  std::vector<std::jthread> workers;
  workers.reserve(static_cast<std::size_t>(parts - 1));
  for (int p = 1; p < parts; ++p) workers.emplace_back([&body, &bound, p] { body(p, bound(p), bound(p + 1)); });
  body(0, 0, bound(1));
}

