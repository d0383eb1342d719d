#include "qt/platform/qt_font.h"

#include <QFontMetricsF>
#include <algorithm>
#include <QHash>
#include <cmath>
#include <cstdlib>
#include <mutex>

#include "qt/platform/drawing_text.h"

namespace {

// Character sets whose texts are mostly ideographs.
constexpr int kShiftJisCharset = 128;
constexpr int kHangulCharset = 129;
constexpr int kGb2312Charset = 134;
constexpr int kBig5Charset = 136;
// Size at which a face's proportions are measured.
constexpr int kProbePixels = 200;

bool PrefersCjk(int charSet) {
  return charSet == kShiftJisCharset || charSet == kHangulCharset || charSet == kGb2312Charset ||
         charSet == kBig5Charset;
}

struct Proportions {
  double emPerCell = 1;      // em size / (ascent + descent)
  double widthPerEm = 0.5;   // average character width / em size
};

QFont BaseFont(const KLogFont& d) {
  QStringList families;
  const QString face = DecodeDrawingText(d.faceName.str()).trimmed();
  if (!face.isEmpty()) families << face;
  if (PrefersCjk(d.charSet))
    families << kDefaultCjkFamily << kDefaultLatinFamily;
  else
    families << kDefaultLatinFamily << kDefaultCjkFamily;
  QFont font;
  font.setFamilies(families);
  if (d.weight > 0) font.setWeight(static_cast<QFont::Weight>(std::clamp(d.weight, 1, 1000)));
  font.setItalic(d.italic != 0);
  font.setUnderline(d.underline != 0);
  font.setStrikeOut(d.strikeOut != 0);
  font.setKerning(false);
  return font;
}

Proportions Measure(const QFont& base) {
  // Shared by every device, and devices of different windows may paint at
  // the same time.
  static std::mutex mutex;
  static QHash<QString, Proportions> cache;
  const QString key = base.key();
  std::lock_guard<std::mutex> lock(mutex);
  auto it = cache.find(key);
  if (it != cache.end()) return *it;
  QFont probe = base;
  probe.setPixelSize(kProbePixels);
  QFontMetricsF fm(probe);
  Proportions p;
  const double cell = fm.ascent() + fm.descent();
  if (cell > 0) p.emPerCell = kProbePixels / cell;
  if (fm.averageCharWidth() > 0) p.widthPerEm = fm.averageCharWidth() / kProbePixels;
  cache.insert(key, p);
  return p;
}

}  // namespace

std::optional<KQtFont> ResolveFont(const KDeviceFont& d, int maxPixels) {
  QFont font = BaseFont(d);
  const Proportions p = Measure(font);
  // Positive heights are cell heights, negative ones character (em) heights.
  double em;
  if (d.height > 0)
    em = d.height * p.emPerCell;
  else if (d.height < 0)
    em = -static_cast<double>(d.height);
  else
    em = kDefaultCellHeight * p.emPerCell;
  if (!(em >= 1) || em > maxPixels) return std::nullopt;
  const int pixels = static_cast<int>(std::lround(em));
  font.setPixelSize(pixels);

  KQtFont out;
  out.font = font;
  QFontMetricsF fm(font);
  out.ascent = fm.ascent();
  out.descent = fm.descent();
  if (d.width != 0) {
    const double natural = p.widthPerEm * pixels;
    if (natural > 0) out.stretch = std::abs(static_cast<double>(d.width)) / natural;
  }
  return out;
}
