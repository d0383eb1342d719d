#pragma once
// What every element reader works with: the input, where to report
// progress, and where to record what it skipped or rejected.
#include <string>
#include <vector>

#include "document/kread_issue.h"
#include "platform/byte_source.h"
#include "platform/progress.h"

struct KReadContext {
  KByteSource& src;
  KProgressSink* progress = nullptr;        // null inside blocks and for memory
  std::vector<KReadIssue>* issues = nullptr;

  void Report(std::string what, std::string why) {
    if (issues) issues->push_back({std::move(what), src.Position(), std::move(why)});
  }
};
