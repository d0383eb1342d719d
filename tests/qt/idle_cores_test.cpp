#include "qt/platform/idle_cores.h"

#include <gtest/gtest.h>

namespace {

TEST(IdleCores, ReadsTheTotalsLine) {
  // user nice system idle iowait irq softirq steal guest guest_nice
  const auto ticks = ParseCpuTicks("cpu  100 20 30 400 5 1 2 3 7 9\ncpu0 50 10 15 200 2 0 1 1 0 0\n");
  ASSERT_TRUE(ticks);
  EXPECT_EQ(ticks->free, 20u + 400 + 5);
  EXPECT_EQ(ticks->total, 100u + 20 + 30 + 400 + 5 + 1 + 2 + 3);
  EXPECT_FALSE(ParseCpuTicks("cpu0 1 2 3 4 5 6 7 8\n"));  // no totals line first
  EXPECT_FALSE(ParseCpuTicks("cpu  1 2 3 4 5\n"));        // cut short
  EXPECT_FALSE(ParseCpuTicks("cpu  1 2 3 x 5 6 7 8\n"));
  EXPECT_FALSE(ParseCpuTicks(""));
}

TEST(IdleCores, FreeCoresOverAWindow) {
  const KCpuTicks start{1000, 5000};
  struct Case {
    unsigned long long free, total;  // added in the window
    double own;
    int cores, expected;
  } cases[] = {
      {200, 200, 0, 2, 2},    // idle
      {180, 200, 0, 2, 2},    // nice'd jobs take most: still free to us
      {0, 200, 100, 2, 1},    // we ran on one core, others on the other
      {100, 200, 100, 2, 2},  // we ran on one core, the other idle
      {0, 200, 0, 2, 1},      // busy: never below one
      {800, 800, 0, 8, 4},    // at most maxThreads
      {90, 100, 50, 2, 2},    // own time is within the busy time: capped
      {10, 9, 0, 2, 0},       // too short to judge
  };
  for (const Case& c : cases) {
    const KCpuTicks end{start.free + c.free, start.total + c.total};
    EXPECT_EQ(FreeCoresBetween(start, end, c.own, c.cores, 4, 10), c.expected) << c.free << "/" << c.total;
  }
  // Counters that went back (another boot's numbers) say nothing.
  EXPECT_EQ(FreeCoresBetween(start, {500, 9000}, 0, 2, 4, 10), 0);
}

}  // namespace
