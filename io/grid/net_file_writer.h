#pragma once
// Writes a relaxed grid as an f(x,y) net file (format: grid/net_file_format.h).
#include <string>

#include "platform/base/result.h"

class KCreateGrid;

// Writes grid to path through KAtomicFile (platform/files/atomic_file.h): a
// regular file is replaced only when the new one is complete, so a failed
// write never leaves a truncated net file where a good one was. The result
// names the file and the reason on failure.
KResult WriteNetFile(const KCreateGrid& grid, const std::string& path);
