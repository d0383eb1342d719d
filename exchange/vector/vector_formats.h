#pragma once
// The vector formats the drawing is exported to, by extension or by GDAL's
// driver name, and what each can hold.
#include <string>
#include <vector>

#include "platform/base/result.h"

struct KVectorFormat {
  std::string driver;            // GDAL's short name
  bool layers = true;            // one layer per drawing layer (else one for all)
  bool oneShape = false;         // a layer holds one kind of geometry
  bool needsCrs = false;         // the format is in WGS84; the drawing's CRS must be known
  bool fixedFields = false;      // the format has its own fields; ours go where they can
  std::vector<std::string> layerOptions;  // layer creation options
};

// The format for path: formatName (a GDAL driver name, any case) when given,
// else from the extension (.gpkg .geojson .json .shp .dxf .csv .kml). Fails
// naming path when neither says one.
KResultWith<KVectorFormat> VectorFormatFor(const std::string& path, const std::string& formatName);
