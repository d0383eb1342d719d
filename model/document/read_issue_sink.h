#pragma once
// How a document keeps what its readers report: as read issues, a limited
// number of each kind. A degenerate drawing would otherwise hold an issue,
// with its own strings, per rejected element.
#include <string>
#include <unordered_map>
#include <vector>

#include "model/document/kread_issue.h"
#include "platform/base/warning.h"

class KReadIssueSink : public KWarningSink {
public:
  // Issues kept of each kind (the same "what").
  static constexpr int kIssuesPerKind = 20;

  explicit KReadIssueSink(std::vector<KReadIssue>& issues) : issues_(issues) {}

  // Past kIssuesPerKind issues of a kind, one more issue of that kind counts
  // the rest ("N more like this") at the offset of the first left out. A
  // warning without an offset is kept at offset 0.
  void Warn(KWarning warning) override;

private:
  struct Kind {
    long long count = 0;
    std::size_t summary = 0;   // index of the issue counting the rest
  };
  std::vector<KReadIssue>& issues_;
  std::unordered_map<std::string, Kind> kinds_;
};
