#pragma once
// A drawing to a vector file and vector files into a drawing: what the
// command line and the editor's menus both do.
#include <cstddef>
#include <string>
#include <vector>

#include "exchange/vector/drawing_features.h"
#include "exchange/vector/ogr_vector.h"

// Writes doc's features to path; the value counts the entries left out.
KResultWith<std::size_t> ExportDrawing(const KOnes& doc, const std::string& path, const KVectorExport& options);

// Reads every source first and adds their features to doc only when all
// could be read (doc is unchanged on failure). The counts' skipped include
// the geometries the sources held nothing drawable in.
KResultWith<KAddedCounts> ImportInto(KOnes& doc, const std::vector<std::string>& paths, const KVectorImport& options,
                                     bool xyzLists);
