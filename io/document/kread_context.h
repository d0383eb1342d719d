#pragma once
// What every element reader works with: the input, where to report
// progress, and where to record what it skipped or rejected.
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "model/document/kread_issue.h"
#include "platform/files/byte_source.h"
#include "platform/base/progress.h"

struct KReadContext {
  // Issues kept of each kind (the same "what"); a degenerate drawing would
  // otherwise hold an issue, with its own strings, per rejected element.
  static constexpr int kIssuesPerKind = 20;

  KReadContext(KByteSource& source, KProgressSink* sink = nullptr, std::vector<KReadIssue>* list = nullptr)
      : src(source), progress(sink), issues(list), kinds_(std::make_shared<Kinds>()) {}
  // A block's context: no progress, the same issues and counts as outer.
  static KReadContext Inner(const KReadContext& outer) {
    KReadContext inner(outer.src, nullptr, outer.issues);
    inner.kinds_ = outer.kinds_;
    return inner;
  }

  KByteSource& src;
  KProgressSink* progress = nullptr;        // null inside blocks and for memory
  std::vector<KReadIssue>* issues = nullptr;

  // Past kIssuesPerKind issues of a kind, one more issue of that kind
  // counts the rest ("N more like this") at the offset of the first left out.
  void Report(std::string what, std::string why) {
    if (!issues) return;
    Kind& kind = (*kinds_)[what];
    if (++kind.count <= kIssuesPerKind) {
      issues->push_back({std::move(what), src.Position(), std::move(why)});
      return;
    }
    const long long more = kind.count - kIssuesPerKind;
    if (more == 1) {
      kind.summary = issues->size();
      issues->push_back({std::move(what), src.Position(), {}});
    }
    (*issues)[kind.summary].why = std::to_string(more) + " more like this, not listed";
  }

private:
  struct Kind {
    long long count = 0;
    std::size_t summary = 0;   // index of the issue counting the rest
  };
  using Kinds = std::unordered_map<std::string, Kind>;
  std::shared_ptr<Kinds> kinds_;   // shared with the contexts of blocks
};
