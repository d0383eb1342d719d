#include "io/document/finite_placement.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>

namespace {

bool AllFinite(std::initializer_list<double> values) {
  return std::all_of(values.begin(), values.end(), [](double v) { return std::isfinite(v); });
}

}  // namespace

bool HasFinitePlacement(const KPointText& p) { return AllFinite({p.x, p.y, p.z}); }

bool HasFinitePlacement(const KInsert& i) { return AllFinite({i.x, i.y, i.xSize, i.ySize, i.angle}); }

bool HasFinitePlacement(const KText& t) { return AllFinite({t.x, t.y, t.width, t.height, t.angle}); }

bool HasFinitePlacement(const KBmpIn& b) { return AllFinite({b.x, b.y, b.width, b.height}); }

bool HasFinitePlacement(const KLogo& l) { return AllFinite({l.x, l.y, l.width, l.height, l.angle}); }
