#pragma once
// Running the quarvel exchange commands and GDAL's and GMT's own tools in
// tests; a tool that is not installed makes its test skip with the reason.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/result_checks.h"
#include "tests/support/run_program.h"

// One of each kind of entry that travels, and an insertion that does not:
// a line (R1, width 2, code 7), a closed polyline with z (B1), a point with
// z (W-1), a text and an x, y, z list of two points, on three layers.
inline constexpr const char* kExchangeDrawing =
    "Layer M roads\nRGB 200 30 30\nPline.R1\n0,0\n100,0.5\nW 2\ncode 7\n\n"
    "Layer M blocks\nRGB 0 0 160\nPline.B1\n0,0,5\n10,0,5\n10,10,5\nC\n\n"
    "Layer M wells\nRGB 0 0 0\nPOINT 5,5,-1500.25 W-1\nTEXT 1,2 3 45 Hello there\nINSERT sym 0,0 1 1 0\n"
    "XYZ\n1,2,3 4,5,6\n";

// The tool's path on PATH, or empty.
std::string FindTool(const std::string& name);

// Runs tool (found on PATH) and expects it to succeed; its standard output.
std::string ToolOutput(const std::string& tool, const std::vector<std::string>& args);

#define SKIP_WITHOUT(tool)                                                              \
  do {                                                                                  \
    if (FindTool(tool).empty()) GTEST_SKIP() << tool " is not installed (scripts/install-deps.sh installs it)"; \
  } while (0)

// The numbers of every x y [z] tuple of the WKT geometries ogrinfo prints,
// as (x, y) pairs sorted.
std::vector<std::pair<double, double>> WktPoints(const std::string& ogrinfoText);
