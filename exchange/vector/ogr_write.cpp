// Writing features through OGR. The drawing's CRS, when given, is recorded
// in each layer (formats in WGS84, such as KML, reproject with it).
#include <cstdio>
#include <filesystem>
#include <map>
#include <memory>

#include <gdal_priv.h>
#include <ogrsf_frmts.h>

#include "exchange/gdal/gdal_session.h"
#include "exchange/gdal/staged_output.h"
#include "exchange/vector/ogr_vector.h"
#include "exchange/vector/vector_formats.h"

namespace {

struct DatasetCloser {
  void operator()(GDALDataset* ds) const { GDALClose(ds); }
};
using DatasetPtr = std::unique_ptr<GDALDataset, DatasetCloser>;

const char* ShapeName(KFeatureShape shape) {
  switch (shape) {
    case KFeatureShape::kPoint: return "points";
    case KFeatureShape::kLine: return "lines";
    default: return "polygons";
  }
}

OGRwkbGeometryType LayerType(const std::vector<const KFeature*>& features, const KVectorFormat& format) {
  if (!format.oneShape || features.empty()) return wkbUnknown;
  bool z = false;
  for (const KFeature* f : features) z = z || f->hasZ;
  const KFeatureShape shape = features.front()->shape;
  const OGRwkbGeometryType flat = shape == KFeatureShape::kPoint  ? wkbPoint
                                  : shape == KFeatureShape::kLine ? wkbLineString
                                                                  : wkbPolygon;
  return z ? wkbSetZ(flat) : flat;
}

std::unique_ptr<OGRGeometry> GeometryOf(const KFeature& f) {
  const auto add = [&](OGRSimpleCurve& curve, const KFeaturePoint& p) {
    if (f.hasZ) curve.addPoint(p.x, p.y, p.z);
    else curve.addPoint(p.x, p.y);
  };
  if (f.shape == KFeatureShape::kPoint) {
    const KFeaturePoint& p = f.points.front();
    return f.hasZ ? std::make_unique<OGRPoint>(p.x, p.y, p.z) : std::make_unique<OGRPoint>(p.x, p.y);
  }
  if (f.shape == KFeatureShape::kLine) {
    auto line = std::make_unique<OGRLineString>();
    for (const KFeaturePoint& p : f.points) add(*line, p);
    return line;
  }
  auto ring = std::make_unique<OGRLinearRing>();
  for (const KFeaturePoint& p : f.points) add(*ring, p);
  add(*ring, f.points.front());
  auto polygon = std::make_unique<OGRPolygon>();
  polygon->addRingDirectly(ring.release());
  return polygon;
}

// Our fields, as far as the layer took them (formats with fields of their
// own take only those, matched by name in any case).
struct FieldSet {
  int layer = -1, name = -1, z = -1, code = -1, colour = -1, width = -1, text = -1, height = -1, angle = -1;
};

KResultWith<FieldSet> CreateFields(OGRLayer& layer, const KVectorFormat& format, const std::string& path) {
  FieldSet set;
  const struct {
    const char* name;
    OGRFieldType type;
    int FieldSet::*index;
  } fields[] = {{kFieldLayer, OFTString, &FieldSet::layer},   {kFieldName, OFTString, &FieldSet::name},
                {kFieldZ, OFTReal, &FieldSet::z},             {kFieldCode, OFTInteger, &FieldSet::code},
                {kFieldColour, OFTString, &FieldSet::colour}, {kFieldWidth, OFTReal, &FieldSet::width},
                {kFieldText, OFTString, &FieldSet::text},     {kFieldHeight, OFTReal, &FieldSet::height},
                {kFieldAngle, OFTReal, &FieldSet::angle}};
  for (const auto& field : fields) {
    if (!format.fixedFields) {
      OGRFieldDefn definition(field.name, field.type);
      if (layer.CreateField(&definition) != OGRERR_NONE)
        return KResult{KStatus::kCannotWrite, "cannot write '" + path + "': field '" + field.name + "' refused"};
    }
    set.*field.index = layer.GetLayerDefn()->GetFieldIndex(field.name);
  }
  return set;
}

void SetAttributes(OGRFeature& out, const FieldSet& set, const KFeature& f) {
  const auto text = [&](int index, const std::string& value) {
    if (index >= 0 && !value.empty()) out.SetField(index, value.c_str());
  };
  const auto real = [&](int index, const std::optional<double>& value) {
    if (index >= 0 && value) out.SetField(index, *value);
  };
  text(set.layer, f.layer);
  text(set.name, f.name);
  real(set.z, f.z);
  if (set.code >= 0 && f.code) out.SetField(set.code, *f.code);
  if (f.colour) text(set.colour, *f.colour);
  real(set.width, f.width);
  text(set.text, f.text);
  real(set.height, f.height);
  real(set.angle, f.angle);
}

// The features grouped into the layers to write, in order of first use.
std::vector<std::pair<std::string, std::vector<const KFeature*>>> Layers(const std::vector<KFeature>& features,
                                                                        const KVectorFormat& format,
                                                                        const std::string& path) {
  std::vector<std::pair<std::string, std::vector<const KFeature*>>> layers;
  std::map<std::string, std::size_t> at;
  const std::string single = std::filesystem::path(path).stem().string();
  bool mixed = false;
  for (const KFeature& f : features) mixed = mixed || f.shape != features.front().shape;
  for (const KFeature& f : features) {
    std::string name = format.layers ? (f.layer.empty() ? "0" : f.layer) : single;
    // One file a kind of geometry, named after it when there are several.
    if (format.oneShape && mixed) name += std::string("_") + ShapeName(f.shape);
    auto [it, fresh] = at.try_emplace(name, layers.size());
    if (fresh) layers.push_back({name, {}});
    layers[it->second].second.push_back(&f);
  }
  return layers;
}

// An OGR label style: the text, its height in ground units and its angle.
std::string LabelStyle(const KFeature& f) {
  std::string text;
  for (char c : f.text) {
    if (c == '"' || c == '\\') text += '\\';
    text += c;
  }
  char numbers[64];
  std::snprintf(numbers, sizeof numbers, ",s:%.17gg,a:%.17g)", f.height.value_or(1.0), f.angle.value_or(0.0));
  return "LABEL(t:\"" + text + "\"" + numbers;
}

KResult Refuse(const std::string& path, const std::string& cause) {
  return {KStatus::kBadInput, "'" + path + "': " + cause};
}

}  // namespace

KResult WriteFeatures(const std::vector<KFeature>& features, const std::string& path, const KVectorExport& options) {
  KResultWith<KVectorFormat> chosen = VectorFormatFor(path, options.format);
  if (!chosen) return chosen;
  const KVectorFormat& format = chosen.value();
  KGdalQuiet quiet;
  GDALDriver* driver = GetGDALDriverManager()->GetDriverByName(format.driver.c_str());
  if (!driver || !driver->GetMetadataItem(GDAL_DCAP_VECTOR) || !driver->GetMetadataItem(GDAL_DCAP_CREATE))
    return Refuse(path, "GDAL has no vector driver '" + format.driver + "' that can create files");
  if (format.needsCrs && options.crs.empty())
    return Refuse(path, format.driver + " holds longitude and latitude: give the drawing's CRS with --crs");
  OGRSpatialReference srs;
  srs.SetAxisMappingStrategy(OAMS_TRADITIONAL_GIS_ORDER);
  if (!options.crs.empty() && srs.SetFromUserInput(options.crs.c_str()) != OGRERR_NONE)
    return Refuse(path, "unknown CRS '" + options.crs + "'");
  const auto layers = Layers(features, format, path);

  KStagedOutput staged(path);
  if (!staged.status()) return staged.status();
  // A format of one geometry kind a file writes its files into the folder,
  // one layer each.
  const std::string target = format.oneShape ? staged.folder() : staged.path();
  DatasetPtr ds(driver->Create(target.c_str(), 0, 0, 0, GDT_Unknown, nullptr));
  const auto failed = [&](const std::string& what) {
    return KResult{KStatus::kCannotWrite, "cannot write '" + path + "': " + what + ": " + quiet.LastMessage("GDAL gave no reason")};
  };
  if (!ds) return failed("cannot create it");
  for (const auto& [name, members] : layers) {
    CPLStringList layerOptions;
    for (const std::string& o : format.layerOptions) layerOptions.AddString(o.c_str());
    OGRLayer* layer = ds->CreateLayer(name.c_str(), options.crs.empty() ? nullptr : &srs,
                                      LayerType(members, format), layerOptions.List());
    if (!layer) return failed("layer '" + name + "' refused");
    KResultWith<FieldSet> fields = CreateFields(*layer, format, path);
    if (!fields) return fields;
    for (const KFeature* f : members) {
      OGRFeature feature(layer->GetLayerDefn());
      SetAttributes(feature, fields.value(), *f);
      // Formats of their own fields (DXF) draw a text from its label style.
      if (format.fixedFields && !f->text.empty()) feature.SetStyleString(LabelStyle(*f).c_str());
      feature.SetGeometryDirectly(GeometryOf(*f).release());
      if (layer->CreateFeature(&feature) != OGRERR_NONE) return failed("a feature of layer '" + name + "' refused");
    }
  }
  // Closing writes what GDAL still holds; its failure is the file's.
  CPLErrorReset();
  ds.reset();
  if (CPLGetLastErrorType() == CE_Failure) return failed("cannot finish it");
  return staged.Commit();
}
