#pragma once
// Writing a document back in the text drawing format. What is written reads
// back with the document reader into the same entries, layers, blocks,
// colours, text properties and embellishments, as far as the format can say
// them (see writer_document.cpp for what it cannot).
#include <string>
#include <string_view>

#include "platform/base/result.h"

class KOnes;
struct KLayer;

// Where the writer sends its bytes. A sink that fails keeps failing: ok()
// turns false and stays false, and later writes are dropped.
class KOutput {
public:
  virtual ~KOutput() = default;
  virtual void Write(std::string_view bytes) = 0;
  virtual bool ok() const = 0;

  KOutput& operator<<(std::string_view bytes) {
    Write(bytes);
    return *this;
  }
};

// Collects the output in memory (tests, and "what would be written").
class KStringOutput : public KOutput {
public:
  void Write(std::string_view bytes) override { text.append(bytes); }
  bool ok() const override { return true; }
  std::string text;
};

// Line ends of the format: CR LF, except where a bare LF is the rule (x, y,
// z points and step lines).
inline constexpr std::string_view kCrLf = "\r\n";
inline constexpr std::string_view kLf = "\n";

// The number format of polyline and x, y, z values: value + 5e-121 printed
// with "%11.10lf", then trailing '0's and a trailing '.' removed (1.5 ->
// "1.5", 2.0 -> "2", 0.0 and -0.0 -> "0"). Independent of the process locale.
std::string FormatNumber(double value);
// "%lf" (six decimals), as points, insertions and texts are written;
// independent of the process locale.
std::string FormatFixed6(double value);
// The shortest text that reads back as value ("1e+308", "0.1").
std::string FormatShortest(double value);

// Writes doc: its blocks, a leading step list, then its layers and entries.
// Afterwards doc's current layer is the last layer written (or null), so that
// reading more into doc continues where the written text leaves off. Nothing
// else of doc changes. Blocks are written with WriteBlock.
void WriteDocument(KOutput& out, KOnes& doc);

// Writes one named block: "new PATH", the block as a document, "endnew ".
void WriteBlock(KOutput& out, KOnes& block, const std::string& path);

// Writes doc to the file at path through KAtomicFile (platform/files/atomic_file.h),
// which says how each kind of target is written: a regular file is
// replaced all or nothing; a character device, a FIFO with a reader and a
// file with several names are written in place. On failure the result names
// the file and the reason, and doc's current layer is unchanged.
// progress, when given, counts the document's entries as they go out.
class KProgressSink;
KResult SaveToFile(KOnes& doc, const std::string& path, KProgressSink* progress = nullptr);
