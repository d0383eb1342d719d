#pragma once
// The parts of a polyline that can reach an area: a vector picture need not
// hold the vertices of a zoomed view that lie far off its page.
#include <QPolygon>
#include <QRect>
#include <utility>
#include <vector>

// Index ranges [first, last] of line's runs of segments that may cross
// area, in order; a segment whose ends lie both beyond the same edge of
// area cannot, and is left out. A single point is one run when it lies in
// area. The whole line when nothing is left out.
std::vector<std::pair<qsizetype, qsizetype>> PolylineRunsNear(const QPolygon& line, QRect area);
