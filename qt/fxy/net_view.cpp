#include "qt/fxy/net_view.h"

#include <cstdio>
#include <string>
#include <utility>

namespace {

std::string Coordinate(double v) {
  char text[32];
  std::snprintf(text, sizeof text, "%.2f", v);
  // The status line always shows a point, whatever the locale says.
  for (char* c = text; *c; ++c)
    if (*c == ',') *c = '.';
  return text;
}
}  // namespace

KNetView::KNetView(QWidget* parent) : KPictureView(parent) {}

KNetView::~KNetView() = default;

void KNetView::SetPicture(std::unique_ptr<KNetPicture> picture) { KPictureView::SetPicture(std::move(picture)); }

QString KNetView::DescribeAt(QPoint at) const {
  if (!Picture() || !View().CanMap()) return {};
  const double x = View().ToWorldX(at.x()), y = View().ToWorldY(at.y());
  std::string text = "x " + Coordinate(x) + "   y " + Coordinate(y);
  int i, j;
  if (Picture()->NodeAt(x, y, i, j)) {
    const KNodeGrid& g = Picture()->grid();
    text += "   z " + (g.Inside(i, j) ? KNetPicture::FormatValue(g.Value(i, j)) : std::string("none")) +
            "   node (" + std::to_string(i) + ", " + std::to_string(j) + ")";
  }
  return QString::fromStdString(text);
}

void KNetView::Hovered(QPoint at) {
  if (onStatus) onStatus(DescribeAt(at));
}
