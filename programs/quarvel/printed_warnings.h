#pragma once
// How every command shows a warning: at once, on standard error, one line
// each: "quarvel render: warning: a.qvd: byte 11: polyline rejected: ...".
#include <string>
#include <utility>

#include "platform/base/warning.h"

class KPrintedWarnings : public KWarningSink {
public:
  explicit KPrintedWarnings(std::string command) : command_(std::move(command)) {}
  void Warn(KWarning warning) override;

private:
  std::string command_;
};
