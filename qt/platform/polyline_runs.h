#pragma once
// The parts of a polyline that can reach an area: a vector picture need not
// hold the vertices of a zoomed view that lie far off its page.
#include <QPolygon>
#include <QRect>
#include <utility>
#include <vector>

// Index ranges [first, last] of line's runs of segments that may cross
// area, in order; a segment whose ends lie both beyond the same edge of
// area cannot, and is left out. The whole line when nothing is left out.
// A line of fewer than two points has no segments, and no runs.
std::vector<std::pair<qsizetype, qsizetype>> PolylineRunsNear(const QPolygon& line, QRect area);
