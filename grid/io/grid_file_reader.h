#pragma once
// Reading the binary grid file of a GRID3D element.
#include <string>

#include "grid/kgrid3d.h"
#include "platform/result.h"

// Loads the file at path into grid. Fails with kCannotOpen when the file
// cannot be opened ("cannot open 'x.grd': ..."), or with kBadInput when its
// header is unusable: a size that is negative, overflows, or promises more
// values than the file holds, or a header cut short; the message names the
// file and the field ("grid file 'x.grd': nx is negative (-3)"). On failure
// nx = ny = 0 and no values are kept.
KResult ReadGridFile(KGridFile& grid, const std::string& path);
