#pragma once
// The geometry of a survey from the inline and crossline numbers and the
// positions of its traces, in file order: whether it is a 2D line or a 3D
// grid, the ranges and steps of both numbers, how the traces are sorted,
// how many grid places hold no trace, the corners and the outline. No
// input or output: a reader feeds it the header words.
#include <cstdint>
#include <optional>
#include <vector>

struct KSurveyPoint {
  double x = 0, y = 0;
};

// first and last as the file meets them (a file that starts at the high
// end counts down, with a negative step); step the largest that puts
// every value on the range's grid; count the distinct values.
struct KSurveyRange {
  std::int64_t first = 0, last = 0, step = 1, count = 0;
};

enum class KSurveyKind { k2D, k3D };
enum class KSurveySorting { kInline, kCrossline, kUnsorted };

struct KSurveyCorner {
  std::int64_t inl = 0, xl = 0;
  std::optional<KSurveyPoint> point;  // none when the grid cannot place it
  bool estimated = false;             // no trace there: placed by the plane through all traces
};

struct KSurveyGeometry {
  KSurveyKind kind = KSurveyKind::k2D;
  std::int64_t traces = 0;
  KSurveyRange inl, xl;
  // Inline: each inline's traces together, the crossline changing within
  // them; else crossline: each crossline's traces together (one grid
  // place only included); else unsorted.
  KSurveySorting sorting = KSurveySorting::kUnsorted;
  // 3D: grid places (inline by crossline) without a trace; 2D: inline
  // numbers missing from its range.
  std::int64_t missing = 0;
  // 3D: (first, first), (first, last), (last, last), (last, first) of
  // inline and crossline; 2D: the first and the last trace.
  std::vector<KSurveyCorner> corners;
  // 3D: the corners, a closed ring; 2D: the track, without repeated points
  // or points on a straight run.
  std::vector<KSurveyPoint> outline;
};

// A 3D grid has at least two inlines and two crosslines and at least as
// many distinct pairs as inlines and crosslines together; a line whose
// two numbers rise together has fewer.
class KSurveyGeometryBuilder {
public:
  void Add(std::int32_t inl, std::int32_t xl, double x, double y);
  KSurveyGeometry Finish() const;

private:
  // The traces at the lowest or highest inline met so far: those with the
  // lowest and highest crossline there, and where they stand.
  struct Edge {
    std::int32_t inl = 0, xlLo = 0, xlHi = 0;
    KSurveyPoint lo, hi;
  };
  void Track(KSurveyPoint p);
  std::optional<KSurveyPoint> Fitted(std::int64_t inl, std::int64_t xl) const;
  std::optional<KSurveyPoint> Corner(std::int64_t inl, std::int64_t xl, bool& estimated) const;

  std::int64_t traces_ = 0, inlRuns_ = 0, xlRuns_ = 0;
  std::int32_t firstInl_ = 0, firstXl_ = 0, lastInl_ = 0, lastXl_ = 0;
  KSurveyPoint origin_, last_;
  Edge low_, high_;
  std::vector<std::uint64_t> pairs_;  // inline and crossline packed, in file order, runs of one kept once
  std::vector<KSurveyPoint> track_;
  // Sums for the plane x, y = a + b inline + c crossline, about the first trace.
  long double n_ = 0, su_ = 0, sv_ = 0, suu_ = 0, svv_ = 0, suv_ = 0;
  long double sx_ = 0, sux_ = 0, svx_ = 0, sy_ = 0, suy_ = 0, svy_ = 0;
};

const char* SurveySortingName(KSurveySorting sorting);  // "inline", "crossline", "unsorted"
