// The curve file reader: groups of curves, each curve written as its point
// lines followed by its header line, each group opened by a group-name line.
#include <cmath>
#include <cstdio>
#include <cstring>
#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "model/curves/kcurve_array.h"
#include "io/document/lexer.h"
#include "io/document/number_scan.h"
#include "io/document/record_readers.h"
#include "platform/base/c_locale.h"

namespace {

enum class LineKind { kHeader, kPoint, kGroupName };

bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// At least two blank-separated words make a header line; otherwise a comma
// after the first character makes a point line; anything else names a group.
LineKind Classify(const std::string& line) {
  std::size_t i = 0;
  int words = 0;
  while (i < line.size() && words < 2) {
    while (i < line.size() && IsBlank(line[i])) ++i;
    if (i == line.size()) break;
    ++words;
    while (i < line.size() && !IsBlank(line[i])) ++i;
  }
  if (words >= 2) return LineKind::kHeader;
  if (line.size() > 1 && line.find(',', 1) != std::string::npos) return LineKind::kPoint;
  return LineKind::kGroupName;
}

std::string FirstWord(const std::string& line) {
  std::size_t begin = 0;
  while (begin < line.size() && IsBlank(line[begin])) ++begin;
  std::size_t end = begin;
  while (end < line.size() && !IsBlank(line[end])) ++end;
  return line.substr(begin, end - begin);
}

// A header line's four numbers in file order: s, z, x, y. Conversion stops
// at the first word that is not a number; unconverted values are 0.
struct HeaderValues {
  double s = 0, z = 0, x = 0, y = 0;
};

HeaderValues ParseHeader(const std::string& line) {
  HeaderValues h;
  std::sscanf(line.c_str(), "%lf%lf%lf%lf", &h.s, &h.z, &h.x, &h.y);
  return h;
}

struct PointValues {
  double x = 0, y = 0;
};

PointValues ParsePoint(const std::string& line) {
  double v[2] = {0.0, 0.0};
  ScanCommaNumbers(line.c_str(), v, 2);  // "%lf,%lf"
  return {v[0], v[1]};
}

// What the reader holds between lines. Lines are converted as they arrive,
// which gives the same values as converting them when they are used.
class CurveFileState {
public:
  void OnHeader(const std::string& line) {
    if (!pendingPoints_.empty()) CompleteCurve();
    curveName_ = FirstWord(line);
    const HeaderValues h = ParseHeader(line);
    if (!std::isfinite(h.s) || !std::isfinite(h.z) || !std::isfinite(h.x) || !std::isfinite(h.y))
      groupNotFinite_ = true;
    pendingHeaders_.push_back(h);
  }

  void OnPoint(const std::string& line) {
    const PointValues p = ParsePoint(line);
    if (!std::isfinite(p.x) || !std::isfinite(p.y)) groupNotFinite_ = true;
    pendingPoints_.push_back(p);
  }

  void OnGroupName(const std::string& line) {
    if (!pendingHeaders_.empty()) CompleteGroup();
    group_->SetName(line);
  }

  std::vector<std::shared_ptr<KCurve>> TakeGroups() { return std::move(groups_); }

  // Lines still waiting when the file ends are discarded: report them.
  std::size_t PendingLines() const { return pendingPoints_.size() + pendingHeaders_.size(); }
  // Groups left out because a value was not a finite number.
  std::size_t DroppedGroups() const { return droppedGroups_; }

private:
  void CompleteCurve() {
    auto curve = std::make_unique<KCurve>();
    curve->Allocate(static_cast<int>(pendingPoints_.size()));
    for (std::size_t i = 0; i < pendingPoints_.size(); ++i) {
      curve->x()[i] = pendingPoints_[i].x;
      curve->y()[i] = pendingPoints_[i].y;
    }
    curve->dimension = 2;
    curve->ArcLength();
    curve->SetName(curveName_);
    pendingPoints_.clear();
    completedCurves_.push_back(std::move(curve));
  }

  // Point j of the group is header line j; header lines without a completed
  // curve are dropped.
  void CompleteGroup() {
    if (groupNotFinite_) {
      // A value at infinity has no place in the picture or the extent.
      ++droppedGroups_;
      groupNotFinite_ = false;
      completedCurves_.clear();
      pendingHeaders_.clear();
      group_ = std::make_shared<KCurveGroup>();
      return;
    }
    const std::size_t n = completedCurves_.size();
    group_->Allocate(static_cast<int>(n));
    for (std::size_t j = 0; j < n && j < pendingHeaders_.size(); ++j) {
      group_->s()[j] = pendingHeaders_[j].s;
      group_->z()[j] = pendingHeaders_[j].z;
      group_->x()[j] = pendingHeaders_[j].x;
      group_->y()[j] = pendingHeaders_[j].y;
    }
    group_->dimension = 2;
    group_->curves.reserve(n);
    for (auto& curve : completedCurves_) group_->curves.push_back(std::move(curve));
    completedCurves_.clear();
    pendingHeaders_.clear();
    groups_.push_back(std::move(group_));
    group_ = std::make_shared<KCurveGroup>();
  }

  std::shared_ptr<KCurveGroup> group_ = std::make_shared<KCurveGroup>();
  std::string curveName_;   // name of the curve whose points come next
  std::vector<PointValues> pendingPoints_;  // of one curve
  // A group may hold any number of curves: deques grow without the copy a
  // growing vector makes, which would briefly hold two or three times the
  // group.
  std::deque<HeaderValues> pendingHeaders_;
  std::deque<std::unique_ptr<KCurve>> completedCurves_;
  std::vector<std::shared_ptr<KCurve>> groups_;
  bool groupNotFinite_ = false;
  std::size_t droppedGroups_ = 0;
};

}  // namespace

std::unique_ptr<KCurveArray> ReadCurveFile(KReadContext& ctx) {
  KCLocaleScope cLocale;
  CurveFileState state;
  std::string line;
  while (ReadLine(ctx.src, line)) {
    if (line.empty()) continue;
    switch (Classify(line)) {
      case LineKind::kHeader: state.OnHeader(line); break;
      case LineKind::kPoint: state.OnPoint(line); break;
      case LineKind::kGroupName: state.OnGroupName(line); break;
    }
  }
  if (state.PendingLines() > 0)
    ctx.Report("curve file", std::to_string(state.PendingLines()) +
                                 " point or header lines after the last group-name line not used");
  if (state.DroppedGroups() > 0)
    ctx.Report("curve file", std::to_string(state.DroppedGroups()) +
                                 " groups dropped: a value is not a finite number");
  auto array = std::make_unique<KCurveArray>();
  array->elements = state.TakeGroups();
  return array;
}
