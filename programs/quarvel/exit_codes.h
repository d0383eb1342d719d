#pragma once
// The exit statuses of every quarvel command, in one place.
#include "platform/base/result.h"

enum class KExit : int {
  kSuccess = 0,
  kFailure = 1,       // an input could not be opened, an output not written, the work refused
  kUsage = 2,         // the arguments make no command
  kInterrupted = 130, // ended by Ctrl-C (128 + SIGINT, as shells report it)
};

// The exit status for how a piece of work went: success, interrupted for a
// cancelled run, failure for everything else.
inline KExit ExitFor(KStatus status) {
  switch (status) {
    case KStatus::kOk:
      return KExit::kSuccess;
    case KStatus::kCancelled:
      return KExit::kInterrupted;
    default:
      return KExit::kFailure;
  }
}
