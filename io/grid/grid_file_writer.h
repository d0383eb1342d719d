#pragma once
// Writes a node grid as the binary grid file of GRID3D elements, values as
// doubles (read back exactly by io/grid/grid_file_reader.h).
#include <string>

#include "model/contour/knode_grid.h"
#include "platform/base/result.h"

// Writes every node of grid to path through KAtomicFile. Refuses (kRefused,
// nothing written) a grid without nodes or with a node that is not a
// finite number, naming the node: the grid file has no mark for a missing
// value. Cut links are not kept; the file holds values only.
KResult WriteGridFile(const KNodeGrid& grid, const std::string& path);

// What a node without a value (NaN) becomes. The grid file has no mark of
// its own for one, so an empty node is stored as NaN, which the reader
// leaves out of the value range; infinite values are refused either way.
enum class KEmptyNodes { kRefused, kKeptAsNaN };
// The same, with empty nodes kept (at least one node must hold a value).
KResult WriteGridFile(const KNodeGrid& grid, const std::string& path, KEmptyNodes empty);
