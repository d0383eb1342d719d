#include "programs/quarvel/plot_args.h"

#include <cmath>
#include <cstdlib>

#include "platform/base/c_locale.h"

bool ParseMargin(const std::string& text, double& margin) {
  const bool percent = !text.empty() && text.back() == '%';
  const std::string number = percent ? text.substr(0, text.size() - 1) : text;
  KCLocaleScope cLocale;
  char* end = nullptr;
  double value = std::strtod(number.c_str(), &end);
  if (number.empty() || *end != '\0' || !std::isfinite(value)) return false;
  if (percent) value /= 100;
  if (!(value >= 0 && value <= 0.45)) return false;
  margin = value;
  return true;
}

KPlotArg ParsePlotArg(const std::vector<std::string>& args, std::size_t& i, KPlotOptions& options, bool& legend,
                      std::string& error) {
  const std::string& a = args[i];
  if (a == "--ticks") options.ticks = true;
  else if (a == "--scale-bar") options.scaleBar = true;
  else if (a == "--north-arrow") options.northArrow = true;
  else if (a == "--legend") legend = true;
  else if (a == "--margin") {
    if (i + 1 >= args.size() || !ParseMargin(args[i + 1], options.margin)) {
      error = "--margin wants a fraction of the shorter side from 0 to 0.45, or a per cent (5%)";
      return KPlotArg::kBad;
    }
    ++i;
  } else {
    return KPlotArg::kNotMine;
  }
  return KPlotArg::kTaken;
}
