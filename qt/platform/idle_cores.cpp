#include "qt/platform/idle_cores.h"

#include <fcntl.h>
#include <unistd.h>
#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <ctime>
#include <thread>

namespace {
// A window shorter than this many ticks a core (10 ms each at the usual
// 100 Hz) says too little about the machine.
constexpr unsigned long long kMinTicksPerCore = 5;

int Cores() { return std::max(1, static_cast<int>(std::thread::hardware_concurrency())); }

// The load average's guess: cores not running (or waiting to run) a job,
// this thread counted free.
int ByLoadAverage(int maxThreads) {
  const int cores = Cores();
  double load = 0;
  if (getloadavg(&load, 1) != 1) load = 0;
  return std::clamp(cores + 1 - static_cast<int>(std::lround(load)), 1, std::max(1, std::min(cores, maxThreads)));
}
}  // namespace

std::optional<KCpuTicks> ParseCpuTicks(std::string_view text) {
  if (text.substr(0, 4) != "cpu ") return std::nullopt;
  const std::string_view line = text.substr(0, text.find('\n'));
  const char* at = line.data() + 4;
  const char* end = line.data() + line.size();
  // user nice system idle iowait irq softirq steal (guest time is already
  // within user and nice).
  unsigned long long field[8] = {};
  for (unsigned long long& value : field) {
    while (at < end && *at == ' ') ++at;
    const auto [next, error] = std::from_chars(at, end, value);
    if (error != std::errc()) return std::nullopt;
    at = next;
  }
  KCpuTicks ticks;
  ticks.free = field[1] + field[3] + field[4];
  for (unsigned long long value : field) ticks.total += value;
  return ticks;
}

int FreeCoresBetween(KCpuTicks before, KCpuTicks after, double ownTicks, int cores, int maxThreads,
                     unsigned long long minTicks) {
  if (after.total < before.total + std::max(minTicks, 1ULL) || after.free < before.free) return 0;
  const double total = static_cast<double>(after.total - before.total);
  const double free = std::min(total, static_cast<double>(after.free - before.free) + std::max(0.0, ownTicks));
  const long freeCores = std::lround(free / total * cores);
  return static_cast<int>(std::clamp<long>(freeCores, 1, std::max(1, std::min(cores, maxThreads))));
}

KIdleCores::KIdleCores() { have_ = Sample(last_, lastOwnSeconds_); }

bool KIdleCores::Sample(KCpuTicks& ticks, double& ownSeconds) const {
  char buffer[512];
  const int file = open("/proc/stat", O_RDONLY | O_CLOEXEC);
  if (file < 0) return false;
  const ssize_t got = read(file, buffer, sizeof buffer);
  close(file);
  if (got <= 0) return false;
  const std::optional<KCpuTicks> parsed = ParseCpuTicks(std::string_view(buffer, static_cast<std::size_t>(got)));
  if (!parsed) return false;
  ticks = *parsed;
  timespec own{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &own);
  ownSeconds = static_cast<double>(own.tv_sec) + static_cast<double>(own.tv_nsec) / 1e9;
  return true;
}

int KIdleCores::Threads(int maxThreads) {
  KCpuTicks now;
  double ownSeconds = 0;
  if (!Sample(now, ownSeconds)) return ByLoadAverage(maxThreads);
  if (have_) {
    const int cores = Cores();
    const double ownTicks = (ownSeconds - lastOwnSeconds_) * static_cast<double>(sysconf(_SC_CLK_TCK));
    const int free = FreeCoresBetween(last_, now, ownTicks, cores, maxThreads, kMinTicksPerCore * cores);
    if (free == 0) return answer_ > 0 ? std::min(answer_, maxThreads) : ByLoadAverage(maxThreads);
    answer_ = free;
  }
  have_ = true;
  last_ = now;
  lastOwnSeconds_ = ownSeconds;
  return answer_ > 0 ? answer_ : ByLoadAverage(maxThreads);
}
