#pragma once
// How every command shows a warning: at once, on standard error, one line
// each: "quarvel render: warning: a.qvd: line 2, column 1 (byte 11):
// polyline rejected: ...". Each file is read once more, at its first
// warning, to turn byte offsets into lines and columns.
#include <map>
#include <string>
#include <utility>

#include "platform/base/warning.h"
#include "platform/files/line_index.h"

class KPrintedWarnings : public KWarningSink {
public:
  explicit KPrintedWarnings(std::string command) : command_(std::move(command)) {}
  void Warn(KWarning warning) override;

private:
  std::string command_;
  std::map<std::string, KLineIndex> lines_;
};
