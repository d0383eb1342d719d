#pragma once
// The survey options of `quarvel segy`: --text (the textual headers),
// --geometry (2D or 3D, ranges, sorting, missing traces, corners) and
// --outline OUT (the outline as a drawing), for the text and JSON reports.
#include <cstddef>
#include <string>
#include <vector>

#include "platform/base/result.h"
#include "io/segy/segy_layout.h"
#include "io/segy/segy_traces.h"

struct KSegySurveyArgs {
  bool text = false, geometry = false;
  std::string outline;
  bool Any() const { return text || geometry || !outline.empty(); }
};

// Takes args[i] when it is one of the options (and its value, moving i
// on); false when it is not. A missing value sets missingValue.
bool ParseSegySurveyArg(const std::vector<std::string>& args, std::size_t& i, KSegySurveyArgs& survey,
                        bool& missingValue);

// Adds what the options ask for about one file to its report: after the
// text report, or as "text" and "geometry" keys of the JSON object (the
// report's last line, "}\n"). Warnings go into the text report, and to
// standard error beside JSON. Fails when the file cannot be read or the
// outline cannot be written.
KResult AddSegySurvey(const KSegySurveyArgs& survey, const KSegyLayout& layout, const KSegyFields& fields, bool json,
                      std::string& report);
// The textual headers of a file whose layout was refused, printed before
// the refusal; nothing when even they cannot be read.
std::string SegyTextOnly(const std::string& path, bool json);
