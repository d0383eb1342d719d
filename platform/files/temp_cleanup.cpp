#include "platform/files/temp_cleanup.h"

#include <limits.h>
#include <signal.h>
#include <unistd.h>

#include <atomic>
#include <cstring>
#include <mutex>

namespace {

// Files written at once are few (one per output); the slots live in static
// storage so that the handler touches no heap.
constexpr int kSlots = 64;
enum SlotState : int { kFree = 0, kFilling = 1, kWatched = 2 };

struct Slot {
  std::atomic<int> state{kFree};
  char path[PATH_MAX];
};

Slot slots[kSlots];
constexpr int kSignals[] = {SIGINT, SIGTERM, SIGHUP};

// Async-signal-safe: unlink, and the default action again to end the process
// as the signal would have.
void RemoveAndDie(int signal) {
  for (Slot& slot : slots)
    if (slot.state.load() == kWatched) unlink(slot.path);
  struct sigaction dfl {};
  dfl.sa_handler = SIG_DFL;
  sigemptyset(&dfl.sa_mask);
  sigaction(signal, &dfl, nullptr);
  raise(signal);
}

// Takes over the signals still at their default action, once.
void InstallHandler() {
  static std::once_flag once;
  std::call_once(once, [] {
    for (int signal : kSignals) {
      struct sigaction old {};
      if (sigaction(signal, nullptr, &old) != 0 || old.sa_handler != SIG_DFL || (old.sa_flags & SA_SIGINFO))
        continue;
      struct sigaction act {};
      act.sa_handler = RemoveAndDie;
      sigemptyset(&act.sa_mask);
      for (int other : kSignals) sigaddset(&act.sa_mask, other);
      sigaction(signal, &act, nullptr);
    }
  });
}

}  // namespace

int WatchTemporary(const std::string& path) {
  if (path.size() >= PATH_MAX) return -1;
  InstallHandler();
  for (int i = 0; i < kSlots; ++i) {
    int expected = kFree;
    if (!slots[i].state.compare_exchange_strong(expected, kFilling)) continue;
    std::memcpy(slots[i].path, path.c_str(), path.size() + 1);
    slots[i].state.store(kWatched);
    return i;
  }
  return -1;
}

void ForgetTemporary(int slot) {
  if (slot >= 0 && slot < kSlots) slots[slot].state.store(kFree);
}
