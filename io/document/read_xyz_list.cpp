// Reading of x, y, z lists.
#include <cmath>
#include <string>
#include <string_view>
#include <vector>

#include "io/document/lexer.h"
#include "io/document/number_scan.h"
#include "io/document/record_readers.h"
#include "model/grid/kxyz_list.h"
#include "platform/base/c_locale.h"

namespace {

constexpr double kDefaultWeight = 1.0;
constexpr int kDefaultTag = 0;

// Reads "x,y,z,w,tag" from token into one; true when at least x and y
// convert. Fields that do not convert keep what one held. Needs the C locale.
bool ParsePoint(std::string_view token, KOne& one) {
  // "%lf,%lf,%lf,%lf,%d", converted exactly as sscanf would, but faster.
  double v[4] = {one.x, one.y, one.z, one.w};
  const int n = ScanCommaNumbers(token, v, 4, &one.tag);
  one.x = v[0];
  one.y = v[1];
  one.z = v[2];
  one.w = v[3];
  return n >= 2;
}

// A point at infinity or without a value has no place in the picture and
// would make the drawing's extent unusable; such points are left out.
bool IsFinitePoint(const KOne& one) { return std::isfinite(one.x) && std::isfinite(one.y) && std::isfinite(one.z); }

bool StartsWithDigit(const std::string& token) {
  return !token.empty() && token[0] >= '0' && token[0] <= '9';
}

}  // namespace

std::unique_ptr<KXyzList> ReadXyzList(KReadContext& ctx, const std::string& token) {
  KCLocaleScope cLocale;
  // Points collect in buffers reused from list to list; the list then takes
  // exactly as many as it holds, with no spare capacity. They go to the plain
  // buffer until a point has its own weight or tag: then what was read moves
  // to the weighted buffer, which takes the rest of the list.
  thread_local std::vector<KXyz> plainBuffer;
  thread_local std::vector<KOne> weightedBuffer;
  thread_local std::string scratchBuffer;
  // One thread-local look-up each, not one a point.
  std::vector<KXyz>& plain = plainBuffer;
  std::vector<KOne>& weighted = weightedBuffer;
  std::string& scratch = scratchBuffer;
  plain.clear();
  weighted.clear();
  bool isWeighted = false;
  std::size_t dropped = 0;
  // The bounds are found here, while each point is at hand, by the same
  // comparisons as KXyzList::Extent, rather than by a second pass over a
  // list that has long left the cache.
  double minX = HUGE_VAL, minY = HUGE_VAL, maxX = -HUGE_VAL, maxY = -HUGE_VAL;
  const auto keep = [&](const KOne& one) {
    if (!IsFinitePoint(one)) {
      ++dropped;
      return;
    }
    if (isWeighted) {
      weighted.push_back(one);
    } else if (HasDefaultWeightAndTag(one)) {
      plain.push_back({one.x, one.y, one.z});
    } else {
      isWeighted = true;
      weighted.reserve(plain.size() + 1);
      for (const KXyz& p : plain) weighted.push_back({p.x, p.y, p.z});
      weighted.push_back(one);
    }
    if (one.x < minX) minX = one.x;
    if (one.x > maxX) maxX = one.x;
    if (one.y < minY) minY = one.y;
    if (one.y > maxY) maxY = one.y;
  };

  if (StartsWithDigit(token)) {
    KOne first;
    if (ParsePoint(token, first)) keep(first);
  }
  if (ctx.progress) ctx.progress->SetTotal(ctx.src.Length());

  // z carries over from the point before (even one left out), so "x,y"
  // repeats the last value; weight and tag do not.
  KOne next;
  std::string_view word;
  for (KTokenEnd end; !EndsInput(end = ReadToken(ctx.src, word, scratch));) {
    // A word longer than the buffer is not a point; it ends the list whole.
    if (end == KTokenEnd::kOverlong) {
      SkipOverlongRest(ctx.src, scratch);
      break;
    }
    next.w = kDefaultWeight;
    next.tag = kDefaultTag;
    if (word.empty() || !ParsePoint(word, next)) break;
    if (ctx.progress) ctx.progress->SetPos(ctx.src.Position());
    keep(next);
  }

  if (dropped) ctx.Report("x,y,z points dropped", std::to_string(dropped) + " with a value that is not a finite number");
  if (plain.empty() && weighted.empty()) {
    if (!dropped) ctx.Report("x, y, z list opened by \"" + token.substr(0, 40) + "\"", "no point read");
    return nullptr;
  }
  auto list = std::make_unique<KXyzList>();
  if (isWeighted)
    list->Assign(weighted.data(), weighted.size());
  else
    list->Assign(plain.data(), plain.size());
  list->KnowBounds(minX, minY, maxX, maxY);
  return list;
}
