#pragma once
// Reading the binary grid file of a GRID3D element.
#include <string>

#include "model/grid/kgrid3d.h"
#include "platform/base/result.h"
#include "platform/base/warning.h"

// Loads the file at path into grid. Fails with kCannotOpen when the file
// cannot be opened ("cannot open 'x.grd': ..."), or with kBadInput when its
// header is unusable: a size that is negative or overflows, a header cut
// short, or values promised far beyond what the file holds (more than
// kCutShortRatio times the values present, or none present); the message
// names the file and the field ("grid file 'x.grd': nx is negative (-3)").
// On failure nx = ny = 0 and no values are kept.
//
// A file cut short within that bound loads: the values it holds are kept,
// the missing ones take the smallest value read, and a warning "grid cut
// short" naming the file goes to warnings (when given).
KResult ReadGridFile(KGridFile& grid, const std::string& path, KWarningSink* warnings = nullptr);

// A cut-short file is completed only when it holds at least 1 / this of the
// values its header promises, which bounds what it can make the reader
// allocate.
constexpr int kCutShortRatio = 4;
