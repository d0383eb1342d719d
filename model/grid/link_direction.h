#pragma once
// The four links of a grid node, in the order every table of links keeps
// them (the gridding engine's link records, the net file's node records):
// the opposite of d is (d + 2) % 4, the next (d + 1) % 4.
namespace klink {

enum Direction : int { kPlusX = 0, kPlusY = 1, kMinusX = 2, kMinusY = 3 };

constexpr Direction Opposite(int d) { return static_cast<Direction>((d + 2) % 4); }

}  // namespace klink
