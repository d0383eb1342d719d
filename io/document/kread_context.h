#pragma once
// What every element reader works with: the input, where to report
// progress, and where to report what it skipped or rejected.
#include <cstdint>
#include <string>

#include "platform/base/progress.h"
#include "platform/base/warning.h"
#include "platform/files/byte_source.h"

class KDecodedFiles;

struct KReadContext {
  KReadContext(KByteSource& source, KProgressSink* progressSink = nullptr, KWarningSink* warningSink = nullptr)
      : src(source), progress(progressSink), warnings(warningSink) {}
  // A block's context: no progress, the same warnings as outer.
  static KReadContext Inner(const KReadContext& outer) {
    KReadContext inner(outer.src, nullptr, outer.warnings);
    inner.decoded = outer.decoded;
    return inner;
  }

  KByteSource& src;
  KProgressSink* progress = nullptr;   // null inside blocks and for memory
  KWarningSink* warnings = nullptr;    // null: nothing is reported
  // Pictures and grid files already decoded by this load; null: each
  // element decodes its own.
  KDecodedFiles* decoded = nullptr;

  // What was skipped or rejected, and why, at the current input position.
  void Report(std::string what, std::string why) { ReportAt(src.Position(), std::move(what), std::move(why)); }
  // The same at an earlier position: where the element started.
  void ReportAt(std::int64_t offset, std::string what, std::string why) {
    if (warnings) warnings->Warn({{}, offset, std::move(what), std::move(why)});
  }
};
