#pragma once
// Scattered measured values (entry kind 301): position, value, weight, tag.
#include <cstddef>
#include <utility>
#include <variant>
#include <vector>

#include "model/document/krecord.h"

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
class KXyzList : public KRecord {
public:
  std::size_t size() const { return std::visit([](const auto& v) { return v.size(); }, points_); }
  bool empty() const { return size() == 0; }
  // True when the list stores weights and tags.
  bool Weighted() const { return points_.index() == 1; }
  KOne At(std::size_t i) const;

  // Replaces the points. The plain list holds the KOne points when all have
  // the default weight and tag.
  void Assign(const KXyz* first, std::size_t count);
  void Assign(const KOne* first, std::size_t count);
  // Appends one point, turning the list weighted when the point needs it.
  void Add(const KOne& p);

  // Calls f with the stored vector, std::vector<KXyz> or std::vector<KOne>;
  // both element types have x, y and z, so one generic lambda serves both.
  template <class F>
  decltype(auto) Visit(F&& f) const {
    return std::visit(std::forward<F>(f), points_);
  }
  // Calls f(const KOne&) for every point in reading order.
  template <class F>
  void ForEach(F&& f) const {
    if (const auto* full = std::get_if<std::vector<KOne>>(&points_)) {
      for (const KOne& p : *full) f(p);
      return;
    }
    for (const KXyz& p : std::get<std::vector<KXyz>>(points_)) f(KOne{p.x, p.y, p.z});
  }

  // Widens the bounds by every point.
  void Extent(double& minX, double& minY, double& maxX, double& maxY) const;
  // Records the bounds of the points as they are now, found while they were
  // read, so that Extent need not walk a large list a second time. Every
  // change of the points (Assign, Add, RemoveInRect) forgets them.
  void KnowBounds(double minX, double minY, double maxX, double maxY);
  // Removes every point with x1 <= x <= x2 and y1 <= y <= y2; returns how many.
  int RemoveInRect(double x1, double y1, double x2, double y2);
  // Writes "XYZ", then one "x,y,z,w,tag" line per point (bare LF), then an
  // empty line, so the list reads back whatever its first x and whatever
  // follows it (io/document/writer_xyz.cpp).
  void Write(KOutput& out) const;

private:
  std::variant<std::vector<KXyz>, std::vector<KOne>> points_;   // reading order

  struct Bounds {
    bool known = false;
    double minX = 0, minY = 0, maxX = 0, maxY = 0;
  };
  Bounds known_;
};
