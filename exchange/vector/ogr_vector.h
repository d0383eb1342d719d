#pragma once
// Features to and from any vector format GDAL has a driver for.
#include <cstddef>
#include <string>
#include <vector>

#include "exchange/vector/feature.h"
#include "platform/base/result.h"

struct KVectorExport {
  std::string format;  // a GDAL driver name; empty: from the extension
  std::string crs;     // the drawing's CRS; empty: none recorded
};

// Writes features to path, one layer per drawing layer where the format has
// layers (else one layer named after the file, the drawing layer in the
// "layer" field). A format of one geometry kind a file (shapefiles) gets a
// file per kind beside OUT when the drawing has several: OUT_lines,
// OUT_polygons, OUT_points. Nothing is written on failure: an unknown format or
// driver, an unknown CRS, a format that needs a CRS without one, or GDAL's
// own refusal, each named with the file.
KResult WriteFeatures(const std::vector<KFeature>& features, const std::string& path, const KVectorExport& options);

struct KVectorImport {
  // Fields naming the drawing layer, the z and the name; empty: "layer" (else
  // the source layer's name), "z" and "name" where the source has them.
  std::string layerField, zField, nameField;
  std::string toCrs;  // reproject into this CRS; empty: keep the coordinates
};

struct KImportedFeatures {
  std::vector<KFeature> features;
  std::size_t skipped = 0;  // empty geometries and those without coordinates
};

// Reads every layer of the vector source at path: multi-geometries split,
// polygon rings as separate ring features, curves as line strings. Fails
// naming the file and the cause when it cannot be opened, a field asked for
// does not exist in a layer, or the reprojection is impossible.
KResultWith<KImportedFeatures> ReadFeatures(const std::string& path, const KVectorImport& options);
