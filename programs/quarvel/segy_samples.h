#pragma once
// The options of `quarvel segy` that read samples: --stats [--stride N]
// and --section OUT [--traces A:B | --inline N] [--clip PERCENT]
// [--scale grey|rwb] [--size WxH] [--depth m|ft].
#include <QSize>
#include <cstdint>
#include <string>
#include <vector>

#include "io/segy/segy_section.h"
#include "io/segy/segy_traces.h"
#include "platform/base/result.h"
#include "programs/quarvel/exit_codes.h"
#include "programs/quarvel/picture_size.h"
#include "window/segy/segy_section_picture.h"

struct KSegySampleOptions {
  bool stats = false;
  std::int64_t stride = 1;
  std::string section;  // the picture to write; empty: none
  KSegySectionRequest request;
  double clip = 99;
  KSectionScale scale = KSectionScale::kGrey;
  std::string depth;  // --depth m|ft: the samples are depths in that unit
  QSize size = kDefaultPictureSize;
  bool strideGiven = false, rangeGiven = false, clipGiven = false, scaleGiven = false, sizeGiven = false;

  // When args[i] is one of these options, takes it and its value, moving i
  // to the value. kSuccess when taken, kUsage (said on standard error) for a
  // bad value, and nothing changed and false in taken when it is not ours.
  KExit Take(const std::vector<std::string>& args, std::size_t& i, bool& taken);
  // After all arguments: the options that go with --stats or --section
  // without them, and --section with several files, are usage errors.
  KExit Check(std::size_t files) const;
};

// --stats and --section for one file, with m and n where fields says
// (for --inline). Statistics go into report: a "stats" member before the
// closing brace of a JSON report, else lines of text at its end.
KResult RunSegySamples(const std::string& path, const KSegyFields& fields, const KSegySampleOptions& options,
                       bool json, std::string& report);
