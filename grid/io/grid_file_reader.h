#pragma once
// Reading the binary grid file of a GRID3D element.
#include <string>

#include "grid/kgrid3d.h"

// Loads the file at path into grid. Returns 1 when the values were loaded.
// Returns 0 when the file cannot be opened, or when its header is unusable (a
// size that is negative, overflows, or promises more values than the file
// holds, or a header cut short): then nx = ny = 0, no values are kept and
// problem (if given) names the offending field.
int ReadGridFile(KGridFile& grid, const std::string& path, std::string* problem = nullptr);
