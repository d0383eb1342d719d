#include "model/document/read_issue_sink.h"

#include <utility>

void KReadIssueSink::Warn(KWarning warning) {
  Kind& kind = kinds_[warning.what];
  const std::int64_t offset = warning.offset.value_or(0);
  if (++kind.count <= kIssuesPerKind) {
    issues_.push_back({std::move(warning.what), offset, std::move(warning.message)});
    return;
  }
  const long long more = kind.count - kIssuesPerKind;
  if (more == 1) {
    kind.summary = issues_.size();
    issues_.push_back({std::move(warning.what), offset, {}});
  }
  issues_[kind.summary].why = std::to_string(more) + " more like this, not listed";
}
