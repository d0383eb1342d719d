#pragma once
// Measuring by clicks: the points clicked, in world units, with the length
// of the last step, the running length and, once the points close on the
// first one, the enclosed area. Also the vertex a click snaps to.
#include <string>
#include <vector>

class KOnes;

class KMeasure {
public:
  // Adds a point; after the measure was closed or ended, starts a new one.
  void Add(double x, double y);
  // Joins the last point to the first: the length takes the closing side
  // and the area is known. Needs three points; false without them.
  bool Close();
  // Ends the measure where it is; the next point starts a new one.
  void End() { ended_ = true; }
  void Clear();

  int Count() const { return static_cast<int>(x_.size()); }
  bool Closed() const { return closed_; }
  bool Ended() const { return ended_ || closed_; }
  double X(int i) const { return x_[static_cast<std::size_t>(i)]; }
  double Y(int i) const { return y_[static_cast<std::size_t>(i)]; }

  double LastStep() const;  // between the last two points; 0 below two
  double Length() const;    // along the points, the closing side included once closed
  double Area() const;      // enclosed, positive; 0 until closed
  // For the status bar: "Distance 5, length 12" or, closed,
  // "Closed: length 24, area 32".
  std::string Text() const;

private:
  std::vector<double> x_, y_;
  bool closed_ = false;
  bool ended_ = false;
};

// Moves (x, y) to the nearest vertex of an editable polyline or point
// within tolerance pixels, at scaleX and scaleY world units a pixel; false
// (and nothing moved) when none lies that close.
bool SnapToVertex(const KOnes& document, double scaleX, double scaleY, double tolerance, double& x, double& y);
