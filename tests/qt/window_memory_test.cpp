// What the main windows remember and how they fit the screen.
#include <gtest/gtest.h>

#include "qt/platform/window_memory.h"

namespace {

TEST(WindowMemory, RecentFilesNewestFirstOnceAndBounded) {
  const struct {
    QStringList before;
    const char* path;
    int limit;
    QStringList after;
  } cases[] = {
      {{}, "a", 8, {"a"}},
      {{"a", "b", "c"}, "c", 8, {"c", "a", "b"}},
      {{"a", "b", "c"}, "d", 3, {"d", "a", "b"}},
      {{"a", "b"}, "a", 0, {}},
  };
  for (const auto& c : cases) EXPECT_EQ(WithRecentFile(c.before, c.path, c.limit), c.after) << c.path;
}

// A 1280 x 800 screen below a 40-pixel panel.
TEST(WindowMemory, AWindowIsMovedAndShrunkOntoTheScreen) {
  const QRect screen(0, 40, 1280, 760);
  const std::pair<QRect, QRect> cases[] = {
      {{100, 100, 800, 600}, {100, 100, 800, 600}},  // fits: kept
      {{0, 0, 1200, 900}, {0, 40, 1200, 760}},       // too tall, above the panel
      {{900, 500, 800, 600}, {480, 200, 800, 600}},  // beyond the right and bottom
      {{-3000, 5000, 2000, 200}, {0, 600, 1280, 200}},
  };
  for (const auto& [wanted, fitted] : cases) EXPECT_EQ(FitOnScreen(wanted, screen), fitted) << wanted.x();
  EXPECT_EQ(FitOnScreen({1, 2, 3, 4}, QRect()), QRect(1, 2, 3, 4));  // no screen known
}

TEST(WindowMemory, ABareNameTakesTheChosenFiltersExtension) {
  const char* const cases[][3] = {
      {"exported", "PNG pictures (*.png)", "exported.png"},
      {"/tmp/map", "PDF (*.pdf)", "/tmp/map.pdf"},
      {"map.svg", "PNG pictures (*.png)", "map.svg"},
      {"notes", "All files (*)", "notes"},
      {"a.b/c", "SVG (*.svg)", "a.b/c.svg"},
  };
  for (const auto& c : cases) EXPECT_EQ(WithFilterSuffix(c[0], c[1]), QString(c[2])) << c[0];
}

}  // namespace
