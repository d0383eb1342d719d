#pragma once
// The mapping between a drawing's entries and features, both ways, without
// files: polylines as lines (closed ones as polygons), points and the points
// of x, y, z lists as points with z, texts as points with their text.
#include <cstddef>
#include <vector>

#include "exchange/vector/feature.h"

class KOnes;

struct KDrawingFeatures {
  std::vector<KFeature> features;  // in drawing order
  // Entries of kinds that do not travel (insertions, pictures, grids, step
  // lists, curve files), and polylines with too few points for their shape.
  std::size_t skipped = 0;
};

// The top-level entries of doc (blocks are drawn only where inserted, and
// insertions do not travel).
KDrawingFeatures FeaturesOfDrawing(const KOnes& doc);

struct KAddedCounts {
  std::size_t polylines = 0, points = 0, texts = 0, xyzPoints = 0;
  std::size_t skipped = 0;  // empty, non-finite or too short to draw
};

// Adds features to doc, each on the layer its feature names (created when
// new) in the feature's colour (black without one): lines and polygon rings
// as polylines (rings closed), points as labelled points or, with xyzLists,
// as one x, y, z list per layer, points with a text as texts.
KAddedCounts AddFeatures(KOnes& doc, const std::vector<KFeature>& features, bool xyzLists);
