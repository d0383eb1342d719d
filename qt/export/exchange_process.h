#pragma once
// The editor's and the net viewer's exchange with GIS and grid files, run
// through quarvel-exchange as a child process: only that program loads
// GDAL, so the windows start without it. Drawings pass to and from the child
// as a private temporary drawing file (mode 0600 in the per-user directory
// of platform/files/private_directory.h), removed on every path.
#include <QString>
#include <cstddef>
#include <string>
#include <vector>

#include "platform/base/result.h"

class QuarvelWindow;

// quarvel-exchange beside this program, else on the PATH; "" when neither.
QString ExchangeProgram();

struct KImportedCounts {
  std::size_t polylines = 0, points = 0, texts = 0;
  std::size_t skipped = 0;  // geometries with nothing to draw
};

// Adds the features of the vector files sources to window as `quarvel
// import` reads them (layers, colours, names, z). On failure window is
// unchanged and the message is the child's. helper is quarvel-exchange's
// path ("" fails with "not found").
KResultWith<KImportedCounts> ImportThroughExchange(QuarvelWindow& window, const std::vector<std::string>& sources,
                                                   const QString& helper);

// Writes window's drawing to path as `quarvel export` does (the extension
// chooses the format); the value counts the entries left out.
KResultWith<std::size_t> ExportThroughExchange(QuarvelWindow& window, const std::string& path, const QString& helper);

// Writes the net file net as a raster at path, as `quarvel net-export` does.
KResult ExportNetThroughExchange(const std::string& net, const std::string& path, const QString& helper);
