#include "qt/platform/window_memory.h"

#include <QFileInfo>
#include <QRegularExpression>
#include <algorithm>

QStringList WithRecentFile(QStringList recent, const QString& path, int limit) {
  recent.removeAll(path);
  recent.prepend(path);
  while (recent.size() > std::max(limit, 0)) recent.removeLast();
  return recent;
}

QRect FitOnScreen(const QRect& wanted, const QRect& available) {
  if (!available.isValid()) return wanted;
  QRect r = wanted;
  r.setWidth(std::min(r.width(), available.width()));
  r.setHeight(std::min(r.height(), available.height()));
  // Then moved in: the right and bottom edges first, so that the top-left
  // corner (the title bar) wins when both cannot hold.
  if (r.right() > available.right()) r.moveRight(available.right());
  if (r.bottom() > available.bottom()) r.moveBottom(available.bottom());
  if (r.left() < available.left()) r.moveLeft(available.left());
  if (r.top() < available.top()) r.moveTop(available.top());
  return r;
}

QString WithFilterSuffix(const QString& path, const QString& filter) {
  if (!QFileInfo(path).suffix().isEmpty()) return path;
  static const QRegularExpression pattern(R"(\*\.([A-Za-z0-9]+))");
  const QRegularExpressionMatch match = pattern.match(filter);
  return match.hasMatch() ? path + "." + match.captured(1) : path;
}
