#pragma once
// Writes a relaxed grid as an f(x,y) net file (format: grid/net_file_format.h).
#include <string>

class KCreateGrid;

// Writes grid to path. The file is written beside path under a private
// temporary name and renamed over path only when complete, so a failed or
// interrupted write never leaves a truncated net file where a good one was.
// Returns true on success; otherwise false with a message in error.
bool WriteNetFile(const KCreateGrid& grid, const std::string& path, std::string& error);
