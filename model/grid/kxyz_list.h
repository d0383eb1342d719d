#pragma once
// Scattered measured values (entry kind 301): position, value, weight, tag.
#include <cstddef>
#include <cstdint>
#include <span>
#include <utility>

#include "model/document/krecord.h"
#include "platform/base/fixed_pool.h"

class KOutput;

// A point as the gridding engine takes it, and a weighted list stores it.
struct KOne {
  double x = 0, y = 0, z = 0;
  double w = 1.0;   // gridding smoothing weight
  int tag = 0;
};

// A point of a list whose points all have the default weight and tag.
struct KXyz {
  double x = 0, y = 0, z = 0;
};

constexpr bool HasDefaultWeightAndTag(const KOne& p) { return p.w == KOne{}.w && p.tag == KOne{}.tag; }

// Almost every list has no weight or tag of its own, so such a list keeps
// 24-byte points; the first point with another weight or tag turns the list
// weighted (40-byte points). Users read points through At, ForEach or Visit
// and need not care which storage holds them.
//
// A drawing may hold a list for every dozen bytes, most of one point: the
// object is 40 bytes from a pool and keeps one plain point inside; longer
// lists keep their points in one block of their own.
class KXyzList : public KRecord {
public:
  KXyzList() = default;
  KXyzList(const KXyzList& other);
  KXyzList& operator=(const KXyzList& other);
  ~KXyzList() override;

  std::size_t size() const { return size_; }
  bool empty() const { return size_ == 0; }
  // True when the list stores weights and tags.
  bool Weighted() const { return (flags_ & kWeighted) != 0; }
  KOne At(std::size_t i) const;

  // Replaces the points. The plain list holds the KOne points when all have
  // the default weight and tag. Throws std::length_error beyond kMaxSize.
  void Assign(const KXyz* first, std::size_t count);
  void Assign(const KOne* first, std::size_t count);
  // Appends one point, turning the list weighted when the point needs it.
  void Add(const KOne& p);

  // Calls f with the stored points, std::span<const KXyz> or
  // std::span<const KOne>; both element types have x, y and z, so one
  // generic lambda serves both.
  template <class F>
  decltype(auto) Visit(F&& f) const {
    if (Weighted()) return std::forward<F>(f)(std::span<const KOne>(static_cast<const KOne*>(Points()), size_));
    return std::forward<F>(f)(std::span<const KXyz>(static_cast<const KXyz*>(Points()), size_));
  }
  // Calls f(const KOne&) for every point in reading order.
  template <class F>
  void ForEach(F&& f) const {
    if (Weighted()) {
      for (const KOne& p : std::span<const KOne>(static_cast<const KOne*>(Points()), size_)) f(p);
      return;
    }
    for (const KXyz& p : std::span<const KXyz>(static_cast<const KXyz*>(Points()), size_)) f(KOne{p.x, p.y, p.z});
  }

  // Widens the bounds by every point.
  void Extent(double& minX, double& minY, double& maxX, double& maxY) const;
  // Records the bounds of the points as they are now, found while they were
  // read, so that Extent need not walk a large list a second time (a short
  // one is walked: it has no room for them). Every change of the points
  // (Assign, Add, RemoveInRect) forgets them.
  void KnowBounds(double minX, double minY, double maxX, double maxY);
  // Removes every point with x1 <= x <= x2 and y1 <= y <= y2; returns how many.
  int RemoveInRect(double x1, double y1, double x2, double y2);
  // Writes "XYZ", then one "x,y,z,w,tag" line per point (bare LF), then an
  // empty line, so the list reads back whatever its first x and whatever
  // follows it (io/document/writer_xyz.cpp).
  void Write(KOutput& out) const;

  // The most points a list holds.
  static constexpr std::size_t kMaxSize = 0xFFFFFFFFu;

  QUARVEL_POOLED(KXyzList)

private:
  // flags_ bits.
  static constexpr std::uint8_t kInBlock = 1;   // points in a block, else at most one plain point inside
  static constexpr std::uint8_t kWeighted = 2;  // KOne points (always in a block)
  static constexpr std::uint8_t kKnown = 4;     // the block holds the points' bounds

  bool InBlock() const { return (flags_ & kInBlock) != 0; }
  const void* Points() const;
  void* Points();
  std::size_t PointBytes() const { return Weighted() ? sizeof(KOne) : sizeof(KXyz); }
  // Empties the list, giving its block back.
  void Reset();
  // Gives the list a block for capacity points of its present kind, moving
  // the points it holds into it.
  void Reserve(std::size_t capacity);
  // Reserves room for twice the points (two at least).
  void Grow();
  void Append(const KXyz& p);
  void Append(const KOne& p);

  union Storage {
    char* block;  // capacity, bounds when it has room for them, points
    KXyz local;
  } storage_{.block = nullptr};
  std::uint32_t size_ = 0;
  std::uint8_t flags_ = 0;
};
