#pragma once
// The options of plot-ready pictures that several commands take: --margin
// FRACTION|PERCENT, --ticks, --scale-bar, --north-arrow and --legend.
#include <string>
#include <vector>

#include "render/plot/plot_layout.h"

enum class KPlotArg { kNotMine, kTaken, kBad };

// Reads the option at args[i] (and its value, advancing i) into options;
// legend is set by --legend. kBad leaves the reason in error.
KPlotArg ParsePlotArg(const std::vector<std::string>& args, std::size_t& i, KPlotOptions& options, bool& legend,
                      std::string& error);
// "0.05" or "5%": a fraction of the shorter side, 0 to 0.45.
bool ParseMargin(const std::string& text, double& margin);
