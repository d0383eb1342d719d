#pragma once
// A seismic section as variable density: one cell per sample, coloured on
// a grey or red-white-blue scale clipped at a percentile of |amplitude|,
// with the time (or depth) axis on the left, the trace or crossline
// numbers along the top and a colour bar on the right. World x counts
// traces (trace k spans k .. k + 1), world y is minus the time in
// milliseconds (minus the depth), so later samples lie lower.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "io/segy/segy_section.h"
#include "platform/device/kdevice.h"
#include "platform/device/kimage.h"
#include "render/view/kview_picture.h"

enum class KSectionScale { kGrey, kRedWhiteBlue };

// The value below which percent of the finite |amplitudes| lie (percent in
// 0 .. 100, nearest rank); 0 when there is none. Over a million values it
// looks at an even spread of a million of them.
double SectionClip(const std::vector<float>& values, double percent);

// Grey: +clip black, 0 mid grey, -clip white. Red-white-blue: -clip red, 0
// white, +clip blue. Beyond the clip the end colours; not finite: green.
KColorRef SectionColour(double value, double clip, KSectionScale scale);

// One pixel per sample: column = trace, row = sample.
KImage SectionImage(const KSegySection& section, double clip, KSectionScale scale);

class KSegySectionPicture : public KViewPicture {
public:
  // Margins of the axes, in pixels.
  static constexpr int kAxisLeft = 64, kAxisTop = 34, kAxisBottom = 12, kBarWidth = 100;

  // depthUnit empty: a time axis in ms. Otherwise the samples are depths
  // and the axis is labelled in that unit ("m", "ft"), one interval per
  // sample as the file gives it (depth files state it in whole units).
  KSegySectionPicture(KSegySection section, double clipPercent, KSectionScale scale, std::string depthUnit = {});

  const KSegySection& section() const { return section_; }
  double clip() const { return clip_; }
  const KImage& image() const { return image_; }
  // Milliseconds between samples (the interval in microseconds / 1000), or
  // the depth step; 1 when the file gives none, and the axis counts samples.
  double step() const { return step_; }

  KViewTransform Fit(KIntSize client) const override;
  void Draw(KDevice& device, const KViewTransform& view) const override;

private:
  void DrawTimeAxis(KDevice& device, const KViewTransform& view, KIntSize client) const;
  void DrawTraceAxis(KDevice& device, const KViewTransform& view, KIntSize client) const;

  KSegySection section_;
  KSectionScale scale_;
  double clip_ = 1;
  double step_ = 1;
  std::string depthUnit_;
  KImage image_;
};

// What a viewer shows first of the file at path (DefaultSegySection), grey,
// clipped at the 99th percentile; fails as reading the layout or the
// section does.
KResultWith<std::unique_ptr<KSegySectionPicture>> OpenSegySectionPicture(const std::string& path);
