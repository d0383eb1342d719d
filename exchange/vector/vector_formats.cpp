#include "exchange/vector/vector_formats.h"

#include <algorithm>
#include <cctype>
#include <filesystem>

namespace {

std::string Lower(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
  return text;
}

struct Known {
  const char* extension;
  KVectorFormat format;
};

const std::vector<Known>& KnownFormats() {
  static const std::vector<Known> known = {
      {".gpkg", {"GPKG", true, false, false, false, {}}},
      {".geojson", {"GeoJSON", false, false, false, false, {}}},
      {".json", {"GeoJSON", false, false, false, false, {}}},
      {".shp", {"ESRI Shapefile", false, true, false, false, {}}},
      {".dxf", {"DXF", false, false, false, true, {}}},
      {".csv", {"CSV", false, false, false, false, {"GEOMETRY=AS_WKT", "CREATE_CSVT=YES"}}},
      {".kml", {"KML", true, false, true, false, {}}},
  };
  return known;
}

}  // namespace

KResultWith<KVectorFormat> VectorFormatFor(const std::string& path, const std::string& formatName) {
  const std::vector<Known>& known = KnownFormats();
  if (!formatName.empty()) {
    const std::string wanted = Lower(formatName);
    for (const Known& k : known)
      if (Lower(k.format.driver) == wanted) return k.format;
    // Any other driver: one layer per drawing layer and mixed geometries,
    // which GDAL refuses by name where the format cannot.
    return KVectorFormat{formatName, true, false, false, false, {}};
  }
  const std::string extension = Lower(std::filesystem::path(path).extension().string());
  for (const Known& k : known)
    if (extension == k.extension) return k.format;
  return KResult{KStatus::kBadInput, "'" + path + "': cannot tell the format from the extension '" + extension +
                                         "'; name a GDAL driver with --format"};
}
