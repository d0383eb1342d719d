#include "render/plot/paper.h"

#include <cctype>
#include <cmath>
#include <cstdlib>

#include "platform/base/c_locale.h"

namespace {

constexpr double kMmPerInch = 25.4;

struct KNamedPaper {
  const char* name;
  KPaper size;
};
constexpr KNamedPaper kPapers[] = {
    {"a0", {841, 1189}}, {"a1", {594, 841}}, {"a2", {420, 594}},
    {"a3", {297, 420}},  {"a4", {210, 297}}, {"letter", {215.9, 279.4}},
};

std::string Lower(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

}  // namespace

bool ParsePaper(const std::string& text, KPaper& paper) {
  std::string name = Lower(text);
  bool landscape = false;
  if (const auto comma = name.find(','); comma != std::string::npos) {
    const std::string turn = name.substr(comma + 1);
    if (turn != "landscape" && turn != "portrait") return false;
    landscape = turn == "landscape";
    name.resize(comma);
  }
  for (const KNamedPaper& p : kPapers)
    if (name == p.name) {
      paper = landscape ? KPaper{p.size.heightMm, p.size.widthMm} : p.size;
      return true;
    }
  return false;
}

bool ParseMapScale(const std::string& text, double& denominator) {
  if (text.size() < 3 || text.compare(0, 2, "1:") != 0) return false;
  KCLocaleScope cLocale;
  const char* start = text.c_str() + 2;
  char* end = nullptr;
  const double n = std::strtod(start, &end);
  if (end == start || *end != '\0' || !(n > 0) || !std::isfinite(n)) return false;
  denominator = n;
  return true;
}

double MetresPerPixel(double denominator, double dotsPerInch) {
  return denominator * kMmPerInch / 1000.0 / dotsPerInch;
}

int MmToPixels(double mm, double dotsPerInch) {
  return static_cast<int>(std::lround(mm / kMmPerInch * dotsPerInch));
}
