#pragma once
// What a document holds, in the form "quarvel info" prints it: entry counts
// per kind, layers with their states, block paths and the extent. Also the
// JSON encoding of byte strings and numbers it needs.
#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "model/document/kextent.h"
#include "model/document/kread_issue.h"
#include "platform/base/small_string.h"

class KOnes;
struct KEntry;

struct KDocumentSummary {
  int entries = 0;                                   // top-level entries
  std::map<int, int> kinds;                          // kind code -> count, present kinds only
  std::vector<std::pair<KSmallString, int>> layers;  // (name as written, state), sorted by name
  std::vector<std::string> blocks;                   // top-level block paths, sorted
  double minX = 0, maxX = 0, minY = 0, maxY = 0;     // the document's extent as computed
};

// Summarises doc as it stands (call ComputeExtent first for a fresh extent).
KDocumentSummary Summarize(const KOnes& doc, const KExtent& extent);

// A read issue together with the file it came from.
struct KFileIssue {
  std::string file;
  KReadIssue issue;
};

// {"entries": N, "kinds": {...}, "layers": [...], "blocks": [...],
// "extent": [minx, maxx, miny, maxy]} on one line; with issues (non-null) a
// final "issues" array follows.
std::string SummaryJson(const KDocumentSummary& summary, const std::vector<KFileIssue>* issues = nullptr);
// The same as readable lines; issues listed when non-null.
std::string SummaryText(const KDocumentSummary& summary, const std::vector<KFileIssue>* issues = nullptr);
// Both handed to write piece by piece, in order: a summary of a million
// layers is never held whole.
using KSummarySink = std::function<void(std::string_view)>;
void WriteSummaryJson(const KDocumentSummary& summary, const std::vector<KFileIssue>* issues, const KSummarySink& write);
void WriteSummaryText(const KDocumentSummary& summary, const std::vector<KFileIssue>* issues, const KSummarySink& write);

// A JSON string literal (quotes included) for a byte string. Valid UTF-8
// passes through; every byte that is not part of a valid UTF-8 sequence
// (drawings carry single- and double-byte code pages) is written as
// \u00XX of that byte, so the output is always valid JSON and no byte is lost.
std::string JsonString(std::string_view bytes);
// The shortest text that reads back as value ("1e300", "-0.5", "12");
// null for NaN and infinities, which JSON cannot hold.
std::string JsonNumber(double value);
// A short name for an entry kind ("polyline", "x,y,z list").
const char* KindName(int kind);
// An entry's own name: a polyline's or point's name, a text's text, an
// insert's block name; empty for other kinds.
std::string EntryName(const KEntry& entry);
