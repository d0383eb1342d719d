#include "programs/quarvel/segy_samples.h"

#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <utility>

#include "io/segy/segy_layout.h"
#include "io/segy/segy_stats.h"
#include "qt/export/picture_export.h"

namespace {

KExit Bad(const std::string& what) {
  std::fprintf(stderr, "quarvel segy: %s\n", what.c_str());
  return KExit::kUsage;
}

template <class T>
bool Whole(std::string_view text, T& value) {
  const auto r = std::from_chars(text.data(), text.data() + text.size(), value);
  return r.ec == std::errc() && r.ptr == text.data() + text.size();
}

// "A:B", trace numbers from 1 with A <= B.
bool ParseRange(const std::string& text, std::int64_t& first, std::int64_t& last) {
  const std::size_t colon = text.find(':');
  if (colon == std::string::npos) return false;
  return Whole(std::string_view(text).substr(0, colon), first) &&
         Whole(std::string_view(text).substr(colon + 1), last) && first >= 1 && last >= first;
}

// JSON has no NaN: a statistic of no finite sample is null.
std::string Number(double v) {
  if (!std::isfinite(v)) return "null";
  char text[40];
  const auto r = std::to_chars(text, text + sizeof text, v);
  return std::string(text, r.ptr);
}

std::string StatsJson(const KSegyStats& s) {
  return "\"stats\": {\"min\": " + Number(s.min) + ", \"max\": " + Number(s.max) + ", \"rms\": " + Number(s.rms) +
         ", \"zero_share\": " + Number(s.ZeroShare()) + ", \"nonfinite_share\": " + Number(s.NonfiniteShare()) +
         ", \"traces_read\": " + std::to_string(s.tracesRead) + "}";
}

std::string StatsText(const KSegyStats& s, std::int64_t stride) {
  char line[512];
  std::snprintf(line, sizeof line,
                "  stats         %lld traces (every %lld), %lld samples\n"
                "    min %.9g  max %.9g  rms %.9g\n    zero %.6g%%  not finite %.6g%%\n",
                static_cast<long long>(s.tracesRead), static_cast<long long>(stride),
                static_cast<long long>(s.samples), s.min, s.max, s.rms, 100 * s.ZeroShare(),
                100 * s.NonfiniteShare());
  return line;
}

}  // namespace

KExit KSegySampleOptions::Take(const std::vector<std::string>& args, std::size_t& i, bool& taken) {
  const std::string& a = args[i];
  taken = a == "--stats" || a == "--stride" || a == "--section" || a == "--traces" || a == "--inline" ||
          a == "--clip" || a == "--scale" || a == "--size" || a == "--depth";
  if (!taken) return KExit::kSuccess;
  if (a == "--stats") {
    stats = true;
    return KExit::kSuccess;
  }
  if (i + 1 >= args.size()) return Bad(a + " wants a value");
  const std::string& v = args[++i];
  if (a == "--stride") {
    strideGiven = true;
    if (!Whole(v, stride) || stride < 1) return Bad("--stride wants a whole number of 1 or more, not '" + v + "'");
  } else if (a == "--section") {
    section = v;
  } else if (a == "--traces") {
    rangeGiven = true;
    if (!ParseRange(v, request.first, request.last))
      return Bad("--traces wants A:B, trace numbers from 1 with A <= B, not '" + v + "'");
  } else if (a == "--inline") {
    request.byInline = true;
    if (!Whole(v, request.inlineNumber)) return Bad("--inline wants a whole number, not '" + v + "'");
  } else if (a == "--clip") {
    clipGiven = true;
    char* end = nullptr;
    clip = std::strtod(v.c_str(), &end);
    if (end == v.c_str() || *end != '\0' || !(clip > 0 && clip <= 100))
      return Bad("--clip wants a percentile above 0 and at most 100, not '" + v + "'");
  } else if (a == "--scale") {
    scaleGiven = true;
    if (v != "grey" && v != "rwb") return Bad("--scale is grey or rwb, not '" + v + "'");
    scale = v == "grey" ? KSectionScale::kGrey : KSectionScale::kRedWhiteBlue;
  } else if (a == "--depth") {
    if (v != "m" && v != "ft") return Bad("--depth is m or ft, not '" + v + "'");
    depth = v;
  } else if (a == "--size") {
    sizeGiven = true;
    if (!ParsePictureSize(v, size)) return Bad("--size: " + PictureSizeRule());
  }
  return KExit::kSuccess;
}

KExit KSegySampleOptions::Check(std::size_t files) const {
  if (strideGiven && !stats) return Bad("--stride goes with --stats");
  if (section.empty() && (rangeGiven || request.byInline || clipGiven || scaleGiven || sizeGiven || !depth.empty()))
    return Bad("--traces, --inline, --clip, --scale, --size and --depth go with --section");
  if (rangeGiven && request.byInline) return Bad("--traces and --inline choose the traces two ways: give one");
  if (!section.empty() && files > 1) return Bad("--section takes one FILE");
  return KExit::kSuccess;
}

KResult RunSegySamples(const std::string& path, const KSegyFields& fields, const KSegySampleOptions& options,
                       bool json, std::string& report) {
  if (!options.stats && options.section.empty()) return KResult::Ok();
  KResultWith<KInputFile> file = OpenInputFile(path);
  if (!file) return file;
  KResultWith<KSegyLayout> layout = ReadSegyLayout(file.value());
  if (!layout) return layout;
  if (options.stats) {
    KResultWith<KSegyStats> stats = ReadSegyStats(file.value(), layout.value(), options.stride);
    if (!stats) return stats;
    const std::size_t brace = report.rfind('}');
    if (json && brace != std::string::npos)
      report.insert(brace, ", " + StatsJson(stats.value()));
    else
      report += StatsText(stats.value(), options.stride);
    if (stats.value().cutSamples > 0)
      std::fprintf(stderr, "quarvel segy: warning: '%s': the last trace read lacks %lld samples: the file ends inside it\n",
                   path.c_str(), static_cast<long long>(stats.value().cutSamples));
  }
  if (options.section.empty()) return KResult::Ok();
  KSegySectionRequest request = options.request;
  request.fields = fields;
  KResultWith<KSegySection> section = ReadSegySection(file.value(), layout.value(), request);
  if (!section) return section;
  const KSegySectionPicture picture(std::move(section.value()), options.clip, options.scale, options.depth);
  const KViewTransform view = picture.Fit({options.size.width(), options.size.height()});
  return ExportPainting([&](KDevice& device) { picture.Draw(device, view); }, options.size, options.section,
                        Qt::white, kPngSmallest);
}
