#include "qt/platform/polyline_runs.h"

namespace {

bool BeyondOneEdge(QPoint a, QPoint b, QRect area) {
  return (a.x() < area.left() && b.x() < area.left()) || (a.x() > area.right() && b.x() > area.right()) ||
         (a.y() < area.top() && b.y() < area.top()) || (a.y() > area.bottom() && b.y() > area.bottom());
}

}  // namespace

std::vector<std::pair<qsizetype, qsizetype>> PolylineRunsNear(const QPolygon& line, QRect area) {
  std::vector<std::pair<qsizetype, qsizetype>> runs;
  for (qsizetype i = 0; i + 1 < line.size(); ++i) {
    if (BeyondOneEdge(line[i], line[i + 1], area)) continue;
    if (!runs.empty() && runs.back().second == i)
      runs.back().second = i + 1;
    else
      runs.emplace_back(i, i + 1);
  }
  return runs;
}
