#pragma once
// Where long reads and writes report how far they are. The progress dialog
// implements it in the GUI; the command line may draw a bar on a terminal.
#include <cstdint>

class KProgressSink {
public:
  virtual ~KProgressSink() = default;
  // Total amount of work, in the same units as SetPos (bytes for readers).
  virtual void SetTotal(std::int64_t total) = 0;
  virtual void SetPos(std::int64_t pos) = 0;
};
