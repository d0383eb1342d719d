#include "programs/quarvel/segy_survey_args.h"

#include <cstdio>

#include "model/document/document_summary.h"
#include "platform/files/atomic_file.h"
#include "platform/files/input_file.h"
#include "io/segy/segy_survey.h"
#include "io/segy/segy_text.h"

namespace {

// JSON for converted text: every byte beyond ASCII as \u00XX of its code,
// so the codes of the conversion survive exactly.
std::string JsonCodes(const std::string& s) {
  std::string out = "\"";
  for (const unsigned char c : s) {
    if (c == '"' || c == '\\') {
      out += '\\';
      out += static_cast<char>(c);
    } else if (c < 0x20 || c >= 0x7F) {
      char buf[8];
      std::snprintf(buf, sizeof buf, "\\u%04x", c);
      out += buf;
    } else {
      out += static_cast<char>(c);
    }
  }
  return out + "\"";
}

// A line for a terminal: NUL as a blank, other bytes that print nothing
// (or move the cursor) as '.'.
std::string Printable(std::string s) {
  for (char& c : s) {
    const unsigned char u = static_cast<unsigned char>(c);
    if (u == 0) c = ' ';
    else if (u < 0x20 || u >= 0x7F) c = '.';
  }
  return s;
}

std::string TextReport(const std::vector<KSegyTextRecord>& records) {
  std::string s;
  for (std::size_t k = 0; k < records.size(); ++k) {
    s += "  textual header " + std::to_string(k + 1) + (records[k].ebcdic ? " (EBCDIC)\n" : " (ASCII)\n");
    for (const std::string& line : records[k].lines) s += Printable(line) + "\n";
  }
  return s;
}

std::string TextJson(const std::vector<KSegyTextRecord>& records) {
  std::string s = "\"text\": [";
  bool first = true;
  for (const KSegyTextRecord& r : records)
    for (const std::string& line : r.lines) {
      s += (first ? "" : ", ") + (r.ebcdic ? JsonCodes(line) : JsonString(line));
      first = false;
    }
  return s + "]";
}

std::string Number(double v) { return ShortestText(v); }

std::string PointText(const KSurveyCorner& c) {
  return c.point ? Number(c.point->x) + "," + Number(c.point->y) + (c.estimated ? " (no trace: from the grid)" : "")
                 : "unknown";
}

std::string RangeText(const KSurveyRange& r) {
  return std::to_string(r.first) + " to " + std::to_string(r.last) + " step " + std::to_string(r.step) + " (" +
         std::to_string(r.count) + " values)";
}

std::string Bytes(int offset, int size) {
  return "bytes " + std::to_string(offset + 1) + "-" + std::to_string(offset + size);
}

std::string GeometryReport(const KSurveyGeometry& g, const KSegyFields& f) {
  if (g.traces == 0) return "  geometry      none: no trace holds the words\n";
  const bool is3d = g.kind == KSurveyKind::k3D;
  std::string s = std::string("  geometry      ") + (is3d ? "3D" : "2D line") + ", " + std::to_string(g.traces) +
                  " traces, sorting " + SurveySortingName(g.sorting) + "\n";
  s += std::string(is3d ? "  inline        " : "  m             ") + RangeText(g.inl) + ", " + Bytes(f.m, f.mBytes) + "\n";
  s += std::string(is3d ? "  crossline     " : "  n             ") + RangeText(g.xl) + ", " + Bytes(f.n, f.nBytes) + "\n";
  s += "  missing       " + std::to_string(g.missing) + (is3d ? " grid places without a trace\n" : " m numbers\n");
  for (const KSurveyCorner& c : g.corners)
    s += std::string(is3d ? "  corner        " : "  end           ") + std::to_string(c.inl) + "/" +
         std::to_string(c.xl) + " at " + PointText(c) + "\n";
  return s;
}

std::string RangeJson(const KSurveyRange& r) {
  return "[" + std::to_string(r.first) + ", " + std::to_string(r.last) + ", " + std::to_string(r.step) + "]";
}

std::string GeometryJson(const KSurveyGeometry& g) {
  if (g.traces == 0) return "\"geometry\": null";
  std::string s = std::string("\"geometry\": {\"kind\": \"") + (g.kind == KSurveyKind::k3D ? "3d" : "2d") +
                  "\", \"traces\": " + std::to_string(g.traces) + ", \"inline\": " + RangeJson(g.inl) +
                  ", \"crossline\": " + RangeJson(g.xl) + ", \"sorting\": \"" + SurveySortingName(g.sorting) +
                  "\", \"missing\": " + std::to_string(g.missing) + ", \"corners\": [";
  for (std::size_t k = 0; k < g.corners.size(); ++k) {
    const KSurveyCorner& c = g.corners[k];
    s += k ? ", " : "";
    s += c.point ? "[" + JsonNumber(c.point->x) + ", " + JsonNumber(c.point->y) + "]" : "null";
  }
  return s + "]}";
}

void AddWarnings(const KWarningList& warnings, bool json, std::string& text) {
  for (const KWarning& w : warnings.items()) {
    if (json)
      std::fprintf(stderr, "quarvel segy: warning: %s\n", WarningText(w).c_str());
    else
      text += "  warning: " + WarningText(w) + "\n";
  }
}

// Inserts keys before the closing brace of the report's JSON object.
void AddKey(std::string& report, const std::string& key) {
  const std::size_t brace = report.rfind('}');
  if (brace != std::string::npos) report.insert(brace, ", " + key);
}

}  // namespace

bool ParseSegySurveyArg(const std::vector<std::string>& args, std::size_t& i, KSegySurveyArgs& survey,
                        bool& missingValue) {
  const std::string& a = args[i];
  if (a == "--text") {
    survey.text = true;
  } else if (a == "--geometry") {
    survey.geometry = true;
  } else if (a == "--outline") {
    if (i + 1 >= args.size()) return missingValue = true;
    survey.outline = args[++i];
  } else {
    return false;
  }
  return true;
}

KResult AddSegySurvey(const KSegySurveyArgs& survey, const KSegyLayout& layout, const KSegyFields& fields, bool json,
                      std::string& report) {
  if (!survey.Any()) return KResult::Ok();
  KResultWith<KInputFile> file = OpenInputFile(layout.path);
  if (!file) return file;
  std::string text;
  KWarningList warnings;
  if (survey.text) {
    const KResultWith<std::vector<KSegyTextRecord>> records = ReadSegyText(file.value(), &warnings);
    if (!records) return records;
    if (json)
      AddKey(report, TextJson(records.value()));
    else
      text += TextReport(records.value());
    AddWarnings(warnings, json, text);
  }
  if (survey.geometry || !survey.outline.empty()) {
    const KResultWith<KSurveyGeometry> geometry = ReadSurveyGeometry(file.value(), layout, fields);
    if (!geometry) return geometry;
    if (survey.geometry) {
      if (json)
        AddKey(report, GeometryJson(geometry.value()));
      else
        text += GeometryReport(geometry.value(), fields);
    }
    if (!survey.outline.empty()) {
      KAtomicFile out(survey.outline);
      out.Write(SurveyOutlineText(geometry.value()));
      if (const KResult r = out.Commit(); !r) return r;
    }
  }
  report += text;
  return KResult::Ok();
}

std::string SegyTextOnly(const std::string& path, bool json) {
  KResultWith<KInputFile> file = OpenInputFile(path);
  if (!file) return {};
  KWarningList warnings;
  const KResultWith<std::vector<KSegyTextRecord>> records = ReadSegyText(file.value(), &warnings);
  if (!records) return {};
  std::string s = json ? "{\"path\": " + JsonString(path) + ", " + TextJson(records.value()) + "}\n"
                       : path + "\n" + TextReport(records.value());
  AddWarnings(warnings, json, s);
  return s;
}
