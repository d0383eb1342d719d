#pragma once
// The input of f(x,y) gridding, gathered from layers of a document: by
// default points from "f(x,y)\xyz", break lines from "f(x,y)\break" and
// outlines from "f(x,y)\outline", or from the layers a user names. Plain
// copies, so that gridding never touches the document while it runs.
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

// How much of the input came from one layer: role 0 points, 1 break lines,
// 2 outlines.
struct KFxyLayerCount {
  int role = 0;
  std::string layer;
  std::size_t count = 0;
};

struct KFxyInput {
  std::vector<KOne> points;
  std::vector<KFxyCurve> breaks;
  std::vector<KFxyCurve> outlines;
  // Points left out because a coordinate, z or w was not a finite number.
  std::size_t droppedPoints = 0;
  // One count for every layer named, in the order of the choice, missing
  // layers and empty ones included.
  std::vector<KFxyLayerCount> sources;
};

// The layer paths the driver gathers from, in the order xyz, break, outline.
using KFxyLayerNames = std::array<std::string, 3>;
inline KFxyLayerNames DefaultFxyLayerNames() {
  return {"f(x,y)\\xyz", "f(x,y)\\break", "f(x,y)\\outline"};
}

// The layers each role gathers from; a role may have several.
struct KFxyLayerChoice {
  std::vector<std::string> points, breaks, outlines;
  KFxyLayerChoice() : KFxyLayerChoice(DefaultFxyLayerNames()) {}
  KFxyLayerChoice(const KFxyLayerNames& names) : points{names[0]}, breaks{names[1]}, outlines{names[2]} {}
  const std::vector<std::string>& Role(int role) const { return role == 0 ? points : role == 1 ? breaks : outlines; }
  std::vector<std::string>& Role(int role) { return role == 0 ? points : role == 1 ? breaks : outlines; }
};

// The layers of the choice that doc does not have, in the order named.
std::vector<std::string> MissingFxyLayers(const KOnes& doc, const KFxyLayerChoice& choice);

// "40 points from f(x,y)\xyz; 3 break lines from faults; 0 outlines from
// f(x,y)\outline"; a role of several layers lists each layer's count:
// "5 break lines from a (2), b (3)".
std::string FxySourcesText(const KFxyInput& input);

// Walks doc's entries in list order. An entry counts for the first role
// (points, breaks, outlines) one of whose layers it is on; a missing layer
// matches nothing.
//  - xyz: every polyline vertex (w 1, tag 0) and every x, y, z list point;
//  - break: polylines become break lines; a filled one (kind 2081) is also
//    an outline; a break without a name is named its index + 10000; a
//    filled or closed break (2081, 2082) gets its first vertex again at the
//    end, so that its closing segment is a fault too;
//  - outline: polylines.
// Other kinds are ignored.
KFxyInput GatherFxyInput(const KOnes& doc, const KFxyLayerChoice& layers = KFxyLayerChoice());
