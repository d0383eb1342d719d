#pragma once
// What a reader found sound enough to go past but worth telling: an element
// skipped, a file cut short, sizes that disagree. Not a failure (that is a
// KResult); readers report these through a KWarningSink as they go, and the
// host decides where they end up.
#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

struct KWarning {
  // Where in an input it was found, when the reporter reads a stream of
  // bytes: the file (empty while the reader does not know its name) and the
  // byte offset. A warning about a whole file names the file in its message,
  // as a KResult message does, and has no offset.
  std::string file;
  std::optional<std::int64_t> offset;
  std::string what;     // a short heading ("polyline rejected"); may be empty
  std::string message;  // the sentence for people
};

class KWarningSink {
public:
  virtual ~KWarningSink() = default;
  virtual void Warn(KWarning warning) = 0;
};

// Keeps every warning, oldest first.
class KWarningList : public KWarningSink {
public:
  void Warn(KWarning warning) override { items_.push_back(std::move(warning)); }
  const std::vector<KWarning>& items() const { return items_; }
  bool empty() const { return items_.empty(); }
  void clear() { items_.clear(); }

private:
  std::vector<KWarning> items_;
};

// The one line every program shows for a warning: "file: line 2, column 5
// (byte 12): what: message", leaving out what is not there. line and
// column (1-based) are those of the offset where the printer worked them
// out from the file; 0 when not known, and only the byte is shown.
std::string WarningText(const KWarning& warning, std::int64_t line = 0, std::int64_t column = 0);
