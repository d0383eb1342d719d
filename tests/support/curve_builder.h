#pragma once
// Polylines built in code: x, y from a list of points, s the running
// length, and the spare slots filled for the kinds that close.
#include <string>
#include <utility>
#include <vector>

#include "model/document/kcurve.h"

using PointList = std::vector<std::pair<double, double>>;

KCurve MakeCurve(const PointList& points, int closure = kOpen, std::string name = {});
