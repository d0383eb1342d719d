#pragma once
// Polylines of an SVG picture whose points are written here rather than by
// the SVG generator. The generator formats every coordinate as a
// floating-point number through a text stream (nine tenths of the time of
// an SVG of a million vertices), and to six significant digits, so that a
// vertex at 1234567 is written 1.23457e+06 and lines running off the page
// of a zoomed view tilt. Each polyline is drawn on the generator as a
// two-point stand-in, which writes the element and its style as the whole
// line would; Splice() then puts the line's own points in place of the
// stand-in's, in drawing order.
#include <QPolygon>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

class QPainter;

class KSvgPolylines {
public:
  // Draws line's stand-in with painter (on an SVG generator) and keeps
  // line's points.
  void Draw(QPainter* painter, const QPolygon& line);
  // svg with every stand-in's points replaced by its line's. Empty when the
  // stand-ins are not found one for one (something else drew one, or the
  // generator writes polylines otherwise): the picture is then to be
  // painted again without them.
  std::string Splice(std::string_view svg) const;
  std::size_t size() const { return ends_.size(); }

  // The points attribute the generator writes for a stand-in.
  static constexpr std::string_view kStandIn = "points=\"-99999,-99999 -99998,-99998 \"";

private:
  std::string points_;             // every kept line's attribute text, one after another
  std::vector<std::size_t> ends_;  // where each line's text ends in points_
};
