#include "model/document/document_summary.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <map>

#include "model/document/elements.h"
#include "model/document/kcurve.h"
#include "model/document/kones.h"
#include "platform/base/warning.h"
#include "platform/files/line_index.h"

namespace {

// Length of the valid UTF-8 sequence starting at s[i], or 0 when the bytes
// there are not one (overlong forms, surrogates and values above U+10FFFF
// are not valid).
std::size_t Utf8SequenceLength(std::string_view s, std::size_t i) {
  const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(s[k]); };
  const unsigned char b0 = byte(i);
  std::size_t n;
  unsigned lo = 0x80, hi = 0xBF;  // allowed range of the second byte
  if (b0 >= 0xC2 && b0 <= 0xDF) {
    n = 2;
  } else if (b0 >= 0xE0 && b0 <= 0xEF) {
    n = 3;
    if (b0 == 0xE0) lo = 0xA0;
    if (b0 == 0xED) hi = 0x9F;
  } else if (b0 >= 0xF0 && b0 <= 0xF4) {
    n = 4;
    if (b0 == 0xF0) lo = 0x90;
    if (b0 == 0xF4) hi = 0x8F;
  } else {
    return 0;
  }
  if (i + n > s.size()) return 0;
  if (byte(i + 1) < lo || byte(i + 1) > hi) return 0;
  for (std::size_t k = 2; k < n; ++k)
    if (byte(i + k) < 0x80 || byte(i + k) > 0xBF) return 0;
  return n;
}

void AppendEscapedByte(std::string& out, unsigned char c) {
  char buf[8];
  std::snprintf(buf, sizeof buf, "\\u%04x", c);
  out += buf;
}

const char* StateName(int state) {
  switch (state) {
    case 0: return "view and edit";
    case 1: return "view, not edit";
    case 2: return "hidden";
    default: return "unknown";
  }
}

std::string ExtentText(double min, double max) {
  if (min > max) return "none";
  return JsonNumber(min) + " .. " + JsonNumber(max);
}

}  // namespace

KDocumentSummary Summarize(const KOnes& doc, const KExtent& extent) {
  KDocumentSummary s;
  s.entries = static_cast<int>(doc.entries.size());
  for (const auto& e : doc.entries) ++s.kinds[e->kind];
  // Exactly as many as there are: a drawing may hold a million layers.
  s.layers.reserve(doc.OwnedLayers().size());
  doc.layers.EnumeratePaths("", [&](const std::string&, KLayer* layer) {
    if (layer) s.layers.emplace_back(layer->name, layer->state);
  });
  std::sort(s.layers.begin(), s.layers.end());
  doc.blocks.EnumeratePaths("", [&](const std::string& path, KOnes*) { s.blocks.push_back(path); });
  std::sort(s.blocks.begin(), s.blocks.end());
  s.minX = extent.minX;
  s.maxX = extent.maxX;
  s.minY = extent.minY;
  s.maxY = extent.maxY;
  return s;
}

std::string JsonString(std::string_view bytes) {
  std::string out = "\"";
  out.reserve(bytes.size() + 2);
  for (std::size_t i = 0; i < bytes.size();) {
    const unsigned char c = static_cast<unsigned char>(bytes[i]);
    if (c >= 0x80) {
      if (const std::size_t n = Utf8SequenceLength(bytes, i)) {
        out.append(bytes.substr(i, n));
        i += n;
      } else {
        AppendEscapedByte(out, c);  // not UTF-8: keep the byte as U+00XX
        ++i;
      }
      continue;
    }
    switch (c) {
      case '"': out += "\\\""; break;
      case '\\': out += "\\\\"; break;
      case '\n': out += "\\n"; break;
      case '\r': out += "\\r"; break;
      case '\t': out += "\\t"; break;
      default:
        if (c < 0x20)
          AppendEscapedByte(out, c);
        else
          out += static_cast<char>(c);
    }
    ++i;
  }
  out += '"';
  return out;
}

std::string JsonNumber(double value) {
  if (!std::isfinite(value)) return "null";
  char buf[64];
  const auto result = std::to_chars(buf, buf + sizeof buf, value);
  std::string text(buf, result.ptr);
  // to_chars writes "1e+300"; the plus sign adds nothing.
  if (const std::size_t plus = text.find("e+"); plus != std::string::npos) text.erase(plus + 1, 1);
  return text;
}

const char* KindName(int kind) {
  switch (kind) {
    case 100: return "polyline";
    case 101: return "curve array";
    case 200: return "point";
    case 201: return "insertion";
    case 202: return "text";
    case 203: return "bitmap";
    case 204: return "grid";
    case 205: return "logo";
    case 301: return "x,y,z list";
    case 400: return "step list";
    default: return "unknown";
  }
}

void WriteSummaryJson(const KDocumentSummary& s, const std::vector<KFileIssue>* issues, const KSummarySink& write) {
  std::string out = "{\"entries\": " + std::to_string(s.entries) + ", \"kinds\": {";
  bool first = true;
  for (const auto& [kind, count] : s.kinds) {
    out += (first ? "\"" : ", \"") + std::to_string(kind) + "\": " + std::to_string(count);
    first = false;
  }
  out += "}, \"layers\": [";
  write(out);
  first = true;
  for (const auto& [name, state] : s.layers) {
    write((first ? "" : ", ") + std::string("{\"name\": ") + JsonString(name) + ", \"state\": " +
          std::to_string(state) + "}");
    first = false;
  }
  write("], \"blocks\": [");
  first = true;
  for (const std::string& block : s.blocks) {
    write((first ? "" : ", ") + JsonString(block));
    first = false;
  }
  out = "], \"extent\": [" + JsonNumber(s.minX) + ", " + JsonNumber(s.maxX) + ", " + JsonNumber(s.minY) + ", " +
        JsonNumber(s.maxY) + "]";
  if (issues) {
    out += ", \"issues\": [";
    write(out);
    out.clear();
    first = true;
    for (const KFileIssue& fi : *issues) {
      write((first ? "" : ", ") + std::string("{\"file\": ") + JsonString(fi.file) +
            ", \"offset\": " + std::to_string(fi.issue.offset) + ", \"what\": " + JsonString(fi.issue.what) +
            ", \"why\": " + JsonString(fi.issue.why) + "}");
      first = false;
    }
    out += "]";
  }
  out += "}\n";
  write(out);
}

void WriteSummaryText(const KDocumentSummary& s, const std::vector<KFileIssue>* issues, const KSummarySink& write) {
  std::string out = "entries: " + std::to_string(s.entries) + "\n";
  for (const auto& [kind, count] : s.kinds)
    out += "  " + std::to_string(kind) + " " + KindName(kind) + ": " + std::to_string(count) + "\n";
  out += "layers: " + std::to_string(s.layers.size()) + "\n";
  write(out);
  for (const auto& [name, state] : s.layers) write("  " + name + " (" + StateName(state) + ")\n");
  write("blocks: " + std::to_string(s.blocks.size()) + "\n");
  for (const std::string& block : s.blocks) write("  " + block + "\n");
  write("extent: x " + ExtentText(s.minX, s.maxX) + ", y " + ExtentText(s.minY, s.maxY) + "\n");
  if (issues) {
    write("skipped or rejected: " + std::to_string(issues->size()) + "\n");
    std::map<std::string, KLineIndex> lines;  // each file read once, for lines and columns
    for (const KFileIssue& fi : *issues) {
      std::int64_t line = 0, column = 0;
      if (!fi.file.empty()) lines.try_emplace(fi.file, fi.file).first->second.Locate(fi.issue.offset, line, column);
      write("  " + WarningText({fi.file, fi.issue.offset, fi.issue.what, fi.issue.why}, line, column) + "\n");
    }
  }
}

std::string SummaryJson(const KDocumentSummary& s, const std::vector<KFileIssue>* issues) {
  std::string out;
  WriteSummaryJson(s, issues, [&](std::string_view piece) { out += piece; });
  return out;
}

std::string SummaryText(const KDocumentSummary& s, const std::vector<KFileIssue>* issues) {
  std::string out;
  WriteSummaryText(s, issues, [&](std::string_view piece) { out += piece; });
  return out;
}

std::string EntryName(const KEntry& entry) {
  if (const auto* curve = entry.As<KCurve>()) return std::string(curve->name());
  if (const auto* point = entry.As<KPointText>()) return point->label.str();
  if (const auto* insert = entry.As<KInsert>()) return insert->blockName;
  if (const auto* text = entry.As<KText>()) return text->text.str();
  return "";
}
