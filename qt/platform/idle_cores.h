#pragma once
// The cores a burst of work (a full paint) can have now, read from the
// system's processor counters over the time since the last look. Time spent
// idle, waiting for the disk, or running nice'd programs (which give way to
// ours) is free, and so is our own process's time: a machine kept busy only
// by background jobs at low priority still lends us its cores, which the
// load average, counting those jobs, would deny.
#include <optional>
#include <string_view>

// Clock ticks summed over all cores since boot.
struct KCpuTicks {
  unsigned long long free = 0;   // idle, waiting for the disk, nice'd
  unsigned long long total = 0;  // every state
};

// The totals of the "cpu " line of /proc/stat's text; nothing when it is
// missing or cut short.
std::optional<KCpuTicks> ParseCpuTicks(std::string_view procStat);

// Cores free between two readings, our own ticks (ownTicks, in that time)
// counted free, rounded and clamped to 1..maxThreads; 0 when the window
// holds fewer than minTicks ticks, too few to judge by.
int FreeCoresBetween(KCpuTicks before, KCpuTicks after, double ownTicks, int cores, int maxThreads,
                     unsigned long long minTicks);

// Samples /proc/stat on each call and answers from the window since the
// previous one. A window too short to judge keeps the last answer; with
// none yet, or no /proc/stat, the one-minute load average decides. For
// one thread at a time.
class KIdleCores {
public:
  // Also starts the first window.
  KIdleCores();
  int Threads(int maxThreads);

private:
  bool Sample(KCpuTicks& ticks, double& ownSeconds) const;

  bool have_ = false;
  KCpuTicks last_;
  double lastOwnSeconds_ = 0;
  int answer_ = 0;
};
