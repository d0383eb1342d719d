// quarvel segy [--json] [--parameters OUT] [--positions OUT [--limit BYTES]]
//              [--panel OUT.png|.svg|.pdf] [--scaled]
//              [--preset 3d|2d-cdp] [--words m=BYTE,n=BYTE,x=BYTE,y=BYTE]
//              [--text] [--geometry] [--outline OUT.qvd] [--stats ...] [--section OUT ...] FILE...
// Reads the headers of SEG-Y files and prints the key numbers and the first
// traces' m, n, x, y; writes the parameter file, the source positions as a
// drawing of survey lines, or a picture of the panel. The textual headers,
// the survey's geometry, sample statistics and section pictures on request;
// samples only for the last two, one trace at a time.
#include <QGuiApplication>
#include <QSize>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <limits>
#include <memory>
#include <string>
#include <tuple>
#include <variant>
#include <vector>

#include "model/document/document_summary.h"
#include "platform/base/progress.h"
#include "qt/platform/qt_platform.h"
#include "programs/quarvel/command.h"
#include "programs/quarvel/segy_samples.h"
#include "qt/export/painting_app.h"
#include "io/segy/segy_format.h"
#include "io/segy/segy_words.h"
#include "programs/quarvel/segy_survey_args.h"
#include "window/segy/ksegy_analysis.h"
#include "window/segy/segy_report.h"
#include "qt/export/picture_export.h"

namespace {

constexpr int kPanelWidth = 1600;
constexpr int kPanelHeight = 976;  // the panel's extent is 40 by 24.4 units

struct SegyOptions {
  bool json = false, scaled = false;
  std::string parameters, positions, panel;
  double limit = std::numeric_limits<double>::infinity();
  std::string preset, words;
  KSegyFields fields;
  KSegySurveyArgs survey;
  std::vector<std::string> files;
  KSegySampleOptions samples;  // --stats, --section and theirs
};

KExit Usage() {
  std::fprintf(stderr,
               "usage: quarvel segy [--json] [--parameters OUT] [--positions OUT [--limit BYTES]]\n"
               "                    [--panel OUT.png|OUT.svg|OUT.pdf] [--scaled]\n"
               "                    [--preset 3d|2d-cdp] [--words m=BYTE,n=BYTE,x=BYTE,y=BYTE]\n"
               "                    [--text] [--geometry] [--outline OUT.qvd]\n"
               "                    [--stats [--stride N]] [--section OUT.png|.svg|.pdf [--traces A:B | --inline N]\n"
               "                    [--clip PERCENT] [--scale grey|rwb] [--size WxH] [--depth m|ft]] FILE...\n"
               "  --words: 1-based byte positions of the four trace-header words (defaults\n"
               "  m=21,n=9,x=73,y=77); BYTE:2 for a 2-byte word. --preset 3d: m=189 (inline),\n"
               "  n=193 (crossline), x=181, y=185 (CDP x, y); 2d-cdp: m=21 (CDP), n=197 (shot\n"
               "  point), x=181, y=185. --words given with --preset changes the preset's words.\n"
               "  --text: the textual headers. --geometry: 2D or 3D, m (inline) and n (crossline)\n"
               "  ranges, sorting, missing traces, corners (x, y scaled by bytes 71-72).\n"
               "  --outline: the survey outline (3D) or track (2D) as a drawing.\n");
  return KExit::kUsage;
}

KExit ParseArguments(const std::vector<std::string>& args, SegyOptions& o) {
  bool optionsDone = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    const bool hasValue = i + 1 < args.size();
    if (optionsDone || a.size() < 2 || a[0] != '-') {
      o.files.push_back(a);
    } else if (bool missing = false; ParseSegySurveyArg(args, i, o.survey, missing)) {
      if (missing) return Usage();
    } else if (a == "--json") {
      o.json = true;
    } else if (a == "--scaled") {
      o.scaled = true;
    } else if (a == "--preset" || a == "--words") {
      if (!hasValue) return Usage();
      (a == "--preset" ? o.preset : o.words) = args[++i];
    } else if (a == "--parameters" || a == "--positions" || a == "--panel") {
      if (!hasValue) return Usage();
      (a == "--parameters" ? o.parameters : a == "--positions" ? o.positions : o.panel) = args[++i];
    } else if (a == "--limit") {
      if (!hasValue) return Usage();
      char* end = nullptr;
      const std::string& v = args[++i];
      o.limit = std::strtod(v.c_str(), &end);
      if (end == v.c_str() || *end != '\0' || !(o.limit >= 0)) {
        std::fprintf(stderr, "quarvel segy: --limit wants a byte position of 0 or more, not '%s'\n", v.c_str());
        return KExit::kUsage;
      }
    } else if (bool taken = false; o.samples.Take(args, i, taken) != KExit::kSuccess) {
      return KExit::kUsage;
    } else if (taken) {
    } else if (a == "--") {
      optionsDone = true;
    } else {
      std::fprintf(stderr, "quarvel segy: unknown option '%s'\n", a.c_str());
      return Usage();
    }
  }
  if (o.files.empty()) return Usage();
  if (!o.preset.empty()) {
    const KResultWith<KSegyFields> preset = SegyPreset(o.preset);
    if (!preset) {
      std::fprintf(stderr, "quarvel segy: %s\n", preset.message().c_str());
      return KExit::kUsage;
    }
    o.fields = preset.value();
  }
  if (!o.words.empty()) {
    const KResultWith<KSegyFields> words = ParseSegyWords(o.words, o.fields);
    if (!words) {
      std::fprintf(stderr, "quarvel segy: %s\n", words.message().c_str());
      return KExit::kUsage;
    }
    o.fields = words.value();
  }
  if (o.limit != std::numeric_limits<double>::infinity() && o.positions.empty()) {
    std::fprintf(stderr, "quarvel segy: --limit goes with --positions\n");
    return KExit::kUsage;
  }
  if (const KExit samples = o.samples.Check(o.files.size()); samples != KExit::kSuccess) return samples;
  if (o.files.size() > 1 && !(o.parameters.empty() && o.positions.empty() && o.panel.empty() && o.survey.outline.empty())) {
    std::fprintf(stderr, "quarvel segy: --parameters, --positions, --panel and --outline take one FILE\n");
    return KExit::kUsage;
  }
  return KExit::kSuccess;
}

std::string Coordinate(std::int32_t v, std::int16_t scalar, bool scaled) {
  return scaled ? ShortestText(ScaledCoordinate(v, scalar)) : std::to_string(v);
}

const char* OrderWord(KByteOrder order) { return order == KByteOrder::kBig ? "big" : "little"; }

std::string Json(const KSegyAnalysis& a, bool scaled) {
  std::string s = "{";
  for (const KSegyReportValue& v : SegyLayoutReport(a)) {
    s += (s.size() > 1 ? ", \"" : "\"") + v.key + "\": ";
    if (const auto* text = std::get_if<std::string>(&v.value))
      s += JsonString(*text);
    else
      s += std::to_string(std::get<std::int64_t>(v.value));
  }
  s += ", \"table\": [";
  for (std::size_t i = 0; i < a.Table().size(); ++i) {
    const KTraceRow& r = a.Table()[i];
    s += (i ? ", [" : "[") + std::to_string(r.m) + ", " + std::to_string(r.n) + ", " +
         Coordinate(r.x, r.scalar, scaled) + ", " + Coordinate(r.y, r.scalar, scaled) + "]";
  }
  s += "], \"warnings\": [";
  const std::vector<std::string> warnings = SegyWarningTexts(a);
  for (std::size_t i = 0; i < warnings.size(); ++i) s += (i ? ", " : "") + JsonString(warnings[i]);
  s += "], \"words\": {";
  const KSegyFields f = a.Fields();
  for (auto [name, offset, size] : {std::tuple{"m", f.m, f.mBytes}, {"n", f.n, f.nBytes}, {"x", f.x, f.xBytes},
                                    {"y", f.y, f.yBytes}})
    s += std::string(*name == 'm' ? "" : ", ") + "\"" + name + "\": [" + std::to_string(offset + 1) + ", " +
         std::to_string(size) + "]";
  return s + "}}\n";
}

std::string Text(const KSegyAnalysis& a, bool scaled) {
  const KSegyLayout& l = a.Layout();
  char buf[512];
  std::string s = l.path + "\n";
  std::snprintf(buf, sizeof buf,
                "  byte order    %s\n  format        %d (%s), %d bytes per sample\n  samples       %lld\n"
                "  interval      %d us\n  first trace   byte %lld\n  trace length  %lld bytes\n  traces        %lld\n",
                l.byteOrder == KByteOrder::kBig ? "big-endian" : "little-endian", l.formatCode,
                segy::FormatText(l.formatCode), l.bytesPerSample, static_cast<long long>(l.samples), l.interval,
                static_cast<long long>(l.firstTrace), static_cast<long long>(l.traceLength),
                static_cast<long long>(l.traces));
  s += buf;
  if (const std::string words = SegyWordsText(a.Fields()); words != SegyWordsText(KSegyFields{}))
    s += "  words         " + words + "\n";
  if (l.traceByteOrder != l.byteOrder)
    s += std::string("  trace headers ") + OrderWord(l.traceByteOrder) + "-endian\n";
  for (const KWarning& w : a.Warnings()) s += "  warning: " + WarningText(w) + "\n";
  if (!a.Table().empty()) {
    std::snprintf(buf, sizeof buf, "  %12s %12s %14s %14s\n", "m", "n", "x", "y");
    s += buf;
  }
  for (const KTraceRow& r : a.Table()) {
    std::snprintf(buf, sizeof buf, "  %12d %12d %14s %14s\n", r.m, r.n, Coordinate(r.x, r.scalar, scaled).c_str(),
                  Coordinate(r.y, r.scalar, scaled).c_str());
    s += buf;
  }
  return s;
}

// A bar on standard error while positions are written, when it is a terminal.
class PositionsProgress : public KProgressSink {
public:
  ~PositionsProgress() override {
    if (percent_ >= 0) std::fprintf(stderr, "\r\033[K");
  }
  void SetTotal(std::int64_t total) override { total_ = total; }
  void SetPos(std::int64_t pos) override {
    const int percent = total_ > 0 ? static_cast<int>(pos * 100 / total_) : 100;
    if (percent == percent_) return;
    percent_ = percent;
    std::fprintf(stderr, "\rpositions %3d%%", percent);
    std::fflush(stderr);
  }

private:
  std::int64_t total_ = 0;
  int percent_ = -1;
};

KExit RunSegy(const std::vector<std::string>& args) {
  SegyOptions o;
  if (const KExit parsed = ParseArguments(args, o); parsed != KExit::kSuccess) return parsed;
  std::unique_ptr<QGuiApplication> app;
  if (!o.panel.empty() || !o.samples.section.empty()) app = MakePaintingApplication();
  KExit status = KExit::kSuccess;
  auto fail = [&](const KResult& r) {
    std::fprintf(stderr, "quarvel segy: %s\n", r.message().c_str());
    status = ExitFor(r.status());
  };
  for (const std::string& file : o.files) {
    KSegyAnalysis panel;
    panel.SetFields(o.fields);
    if (const KResult created = panel.Create(file); !created) {
      if (o.survey.text) std::fputs(SegyTextOnly(file, o.json).c_str(), stdout);
      fail(created);
      continue;
    }
    std::string report = o.json ? Json(panel, o.scaled) : Text(panel, o.scaled);
    if (const KResult r = AddSegySurvey(o.survey, panel.Layout(), panel.Fields(), o.json, report); !r) fail(r);
    if (const KResult r = RunSegySamples(file, o.fields, o.samples, o.json, report); !r) fail(r);
    std::fwrite(report.data(), 1, report.size(), stdout);
    if (!o.parameters.empty())
      if (const KResult r = panel.Write(o.parameters); !r) fail(r);
    if (!o.positions.empty()) {
      std::unique_ptr<PositionsProgress> bar;
      if (isatty(STDERR_FILENO) == 1) bar = std::make_unique<PositionsProgress>();
      if (const KResult r = panel.WriteXY(o.positions, o.limit, bar.get(), o.scaled); !r) fail(r);
      else if (const KSegyLayout& l = panel.Layout(); l.traces > 0 && o.limit < l.TraceStart(l.traces - 1) + panel.Fields().y + 4)
        std::fprintf(stderr, "quarvel segy: warning: %s: --limit %.0f cut the positions short: no line starts after that byte, and the traces go on to byte %lld\n",
                     file.c_str(), o.limit, static_cast<long long>(l.TraceStart(l.traces - 1) + panel.Fields().y + 4));
    }
    if (!o.panel.empty())
      if (const KResult r = ExportPicture(panel, QSize(kPanelWidth, kPanelHeight), o.panel); !r) fail(r);
  }
  return status;
}

const KCommandRegistrar reg({"segy",
                             "segy [--json] [--parameters OUT] [--positions OUT [--limit BYTES]] "
                             "[--panel OUT.png|OUT.svg|OUT.pdf] [--scaled] [--preset 3d|2d-cdp] "
                             "[--words m=BYTE,n=BYTE,x=BYTE,y=BYTE] [--text] [--geometry] [--outline OUT.qvd] "
                             "[--stats [--stride N]] "
                             "[--section OUT [--traces A:B | --inline N] [--clip PERCENT] [--scale grey|rwb] [--size WxH] [--depth m|ft]] FILE...",
                             &RunSegy});

}  // namespace
