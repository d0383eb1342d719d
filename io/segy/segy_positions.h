#pragma once
// The source positions of every trace as polylines in the text drawing
// format: a "pline.N" header before each run of traces with equal n, then
// "x,y" per trace. Read back by the drawing and curve readers.
#include <cstdint>
#include <functional>
#include <limits>
#include <string_view>

#include "platform/files/input_file.h"
#include "platform/base/progress.h"
#include "platform/base/result.h"
#include "io/segy/segy_layout.h"
#include "io/segy/segy_traces.h"

struct KPositionsOptions {
  KSegyFields fields;
  // A file position in bytes after which no new polyline is started: the
  // position after the last field of a trace that would start one.
  double limit = std::numeric_limits<double>::infinity();
  // Apply the coordinate scalar (bytes 71-72); else the raw integers.
  bool scaled = false;
};

// Writes "\npline.N\n" before each run of equal n (the first trace always
// starts one), "x,y\n" per trace, and a final "\n". Every trace that holds
// the four fields is written (a last trace cut short after them too); one
// header of 240 bytes is read per trace. The text goes to `out` in blocks;
// progress gets the file size as its total and the position of each new
// polyline.
KResult WritePositions(KInputFile& file, const KSegyLayout& layout, const KPositionsOptions& options,
                       const std::function<void(std::string_view)>& out, KProgressSink* progress = nullptr);
