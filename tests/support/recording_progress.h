#pragma once
// A progress sink that keeps every total and position it is given.
#include <cstdint>
#include <vector>

#include "platform/base/progress.h"

class RecordingProgress : public KProgressSink {
public:
  void SetTotal(std::int64_t total) override { totals.push_back(total); }
  void SetPos(std::int64_t pos) override { positions.push_back(pos); }
  std::vector<std::int64_t> totals, positions;
};
