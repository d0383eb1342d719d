#include "qt/platform/svg_polylines.h"

#include <QPainter>
#include <charconv>

namespace {

void AppendInt(std::string& out, int value) {
  char digits[16];
  const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
  out.append(digits, end);
}

}  // namespace

void KSvgPolylines::Draw(QPainter* painter, const QPolygon& line) {
  static const QPoint standIn[] = {{-99999, -99999}, {-99998, -99998}};
  painter->drawPolyline(standIn, 2);
  // The generator's form: "x,y " a point, between the quotes.
  points_ += "points=\"";
  for (const QPoint& p : line) {
    AppendInt(points_, p.x());
    points_ += ',';
    AppendInt(points_, p.y());
    points_ += ' ';
  }
  points_ += '"';
  ends_.push_back(points_.size());
}

std::string KSvgPolylines::Splice(std::string_view svg) const {
  std::string out;
  out.reserve(svg.size() + points_.size());
  std::size_t from = 0, line = 0;
  for (std::size_t at = svg.find(kStandIn); at != std::string_view::npos; at = svg.find(kStandIn, from)) {
    if (line == ends_.size()) return {};
    out.append(svg.substr(from, at - from));
    const std::size_t begin = line == 0 ? 0 : ends_[line - 1];
    out.append(points_, begin, ends_[line] - begin);
    ++line;
    from = at + kStandIn.size();
  }
  if (line != ends_.size()) return {};
  out.append(svg.substr(from));
  return out;
}
