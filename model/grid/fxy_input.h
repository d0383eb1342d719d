#pragma once
// The input of f(x,y) gridding, gathered from three layers of a document:
// points from "f(x,y)\xyz", break lines from "f(x,y)\break" and outlines from
// "f(x,y)\outline". Plain copies, so that gridding never touches the
// document while it runs.
#include <array>
#include <cstddef>
#include <string>
#include <vector>

#include "model/grid/kxyz_list.h"

class KOnes;

// A copy of a polyline: its vertices (a closed break repeats its first
// vertex at the end), closure kind and name.
struct KFxyCurve {
  std::vector<double> x, y;
  int closure = 0;
  std::string name;
};

struct KFxyInput {
  std::vector<KOne> points;
  std::vector<KFxyCurve> breaks;
  std::vector<KFxyCurve> outlines;
  // Points left out because a coordinate, z or w was not a finite number.
  std::size_t droppedPoints = 0;
};

// The layer paths the driver gathers from, in the order xyz, break, outline.
using KFxyLayerNames = std::array<std::string, 3>;
inline KFxyLayerNames DefaultFxyLayerNames() {
  return {"f(x,y)\\xyz", "f(x,y)\\break", "f(x,y)\\outline"};
}

// Walks doc's entries in list order. An entry counts for the first of the
// three layers whose layer object it has; a missing layer matches nothing.
//  - xyz: every polyline vertex (w 1, tag 0) and every x, y, z list point;
//  - break: polylines become break lines; a filled one (kind 2081) is also
//    an outline; a break without a name is named its index + 10000; a
//    filled or closed break (2081, 2082) gets its first vertex again at the
//    end, so that its closing segment is a fault too;
//  - outline: polylines.
// Other kinds are ignored.
KFxyInput GatherFxyInput(const KOnes& doc, const KFxyLayerNames& layers = DefaultFxyLayerNames());
