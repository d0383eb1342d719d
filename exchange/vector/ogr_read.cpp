// Reading features through OGR: every geometry broken into what a drawing
// holds (points, lines, rings), attributes by field name.
#include <memory>
#include <string_view>

#include <gdal_priv.h>
#include <ogr_featurestyle.h>
#include <ogrsf_frmts.h>

#include "exchange/gdal/gdal_session.h"
#include "exchange/vector/ogr_vector.h"

namespace {

struct DatasetCloser {
  void operator()(GDALDataset* ds) const { GDALClose(ds); }
};

// The fields a layer's features are read from; -1 where it has none.
struct SourceFields {
  int layer = -1, name = -1, z = -1, code = -1, colour = -1, width = -1, text = -1, height = -1, angle = -1;
};

KResultWith<SourceFields> FindFields(OGRLayer& layer, const KVectorImport& options, const std::string& path) {
  OGRFeatureDefn* defn = layer.GetLayerDefn();
  SourceFields f;
  const auto asked = [&](const std::string& field, const char* fallback, int& index) -> KResult {
    index = defn->GetFieldIndex(field.empty() ? fallback : field.c_str());
    if (index < 0 && !field.empty())
      return {KStatus::kBadInput, "'" + path + "': layer '" + layer.GetName() + "' has no field '" + field + "'"};
    return KResult::Ok();
  };
  for (const KResult& r : {asked(options.layerField, kFieldLayer, f.layer), asked(options.zField, kFieldZ, f.z),
                          asked(options.nameField, kFieldName, f.name)})
    if (!r) return r;
  f.code = defn->GetFieldIndex(kFieldCode);
  f.colour = defn->GetFieldIndex(kFieldColour);
  f.width = defn->GetFieldIndex(kFieldWidth);
  f.text = defn->GetFieldIndex(kFieldText);
  f.height = defn->GetFieldIndex(kFieldHeight);
  f.angle = defn->GetFieldIndex(kFieldAngle);
  return f;
}

// Formats without our fields (DXF) keep a text's height and angle in its
// label style.
void LabelFromStyle(OGRFeature& in, KFeature& out) {
  OGRStyleMgr styles;
  if (!in.GetStyleString() || !styles.InitFromFeature(&in)) return;
  for (int k = 0; k < styles.GetPartCount(); ++k) {
    std::unique_ptr<OGRStyleTool> part(styles.GetPart(k));
    if (!part || part->GetType() != OGRSTCLabel) continue;
    auto* label = static_cast<OGRStyleLabel*>(part.get());
    label->SetUnit(OGRSTUGround);
    GBool missing = TRUE;
    const double size = label->Size(missing);
    if (!missing && size > 0) out.height = size;
    const double angle = label->Angle(missing);
    if (!missing) out.angle = angle;
    return;
  }
}

KFeature Attributes(OGRFeature& in, const SourceFields& f, const std::string& layerName) {
  KFeature out;
  const auto set = [&](int index) { return index >= 0 && in.IsFieldSetAndNotNull(index); };
  out.layer = set(f.layer) ? in.GetFieldAsString(f.layer) : layerName;
  if (set(f.name)) out.name = in.GetFieldAsString(f.name);
  if (set(f.z)) out.z = in.GetFieldAsDouble(f.z);
  if (set(f.code)) out.code = in.GetFieldAsInteger(f.code);
  if (set(f.colour)) out.colour = in.GetFieldAsString(f.colour);
  if (set(f.width)) out.width = in.GetFieldAsDouble(f.width);
  if (set(f.text)) out.text = in.GetFieldAsString(f.text);
  if (set(f.height)) out.height = in.GetFieldAsDouble(f.height);
  if (set(f.angle)) out.angle = in.GetFieldAsDouble(f.angle);
  if (!out.text.empty() && !out.height) LabelFromStyle(in, out);
  return out;
}

// Adds the drawable parts of geometry as features carrying base's
// attributes; counts the parts that hold nothing to draw.
void Split(const OGRGeometry& geometry, const KFeature& base, KImportedFeatures& out) {
  if (geometry.IsEmpty()) {
    ++out.skipped;
    return;
  }
  const bool z = geometry.Is3D();
  const auto curve = [&](const OGRSimpleCurve& c, KFeatureShape shape) {
    KFeature f = base;
    f.shape = shape;
    f.hasZ = z;
    for (int i = 0; i < c.getNumPoints(); ++i) f.points.push_back({c.getX(i), c.getY(i), z ? c.getZ(i) : 0.0});
    out.features.push_back(std::move(f));
  };
  switch (wkbFlatten(geometry.getGeometryType())) {
    case wkbPoint: {
      const auto& p = *geometry.toPoint();
      KFeature f = base;
      f.shape = KFeatureShape::kPoint;
      f.hasZ = z;
      f.points.push_back({p.getX(), p.getY(), z ? p.getZ() : 0.0});
      out.features.push_back(std::move(f));
      return;
    }
    case wkbLineString:
    case wkbLinearRing:
      curve(*geometry.toSimpleCurve(), KFeatureShape::kLine);
      return;
    case wkbPolygon:
    case wkbTriangle:
      for (const OGRLinearRing* ring : *geometry.toPolygon()) curve(*ring, KFeatureShape::kPolygon);
      return;
    case wkbMultiPoint:
    case wkbMultiLineString:
    case wkbMultiPolygon:
    case wkbGeometryCollection:
      for (const OGRGeometry* part : *geometry.toGeometryCollection()) Split(*part, base, out);
      return;
    default:
      break;
  }
  // Curves, surfaces and the rest: as the straight pieces that approximate them.
  if (geometry.hasCurveGeometry()) {
    std::unique_ptr<OGRGeometry> linear(geometry.getLinearGeometry());
    if (linear && !linear->hasCurveGeometry()) {
      Split(*linear, base, out);
      return;
    }
  } else if (wkbFlatten(geometry.getGeometryType()) == wkbPolyhedralSurface ||
             wkbFlatten(geometry.getGeometryType()) == wkbTIN) {
    std::unique_ptr<OGRGeometry> parts(OGRGeometryFactory::forceTo(geometry.clone(), wkbMultiPolygon));
    if (parts && wkbFlatten(parts->getGeometryType()) == wkbMultiPolygon) {
      Split(*parts, base, out);
      return;
    }
  }
  ++out.skipped;
}

}  // namespace

KResultWith<KImportedFeatures> ReadFeatures(const std::string& path, const KVectorImport& options) {
  KGdalQuiet quiet;
  std::unique_ptr<GDALDataset, DatasetCloser> ds(
      GDALDataset::Open(path.c_str(), GDAL_OF_VECTOR | GDAL_OF_READONLY, nullptr, nullptr, nullptr));
  if (!ds)
    return KResult{KStatus::kCannotOpen, "cannot open '" + path + "': " + quiet.LastMessage("not a vector source GDAL reads")};
  OGRSpatialReference target;
  target.SetAxisMappingStrategy(OAMS_TRADITIONAL_GIS_ORDER);
  if (!options.toCrs.empty() && target.SetFromUserInput(options.toCrs.c_str()) != OGRERR_NONE)
    return KResult{KStatus::kBadInput, "'" + path + "': unknown CRS '" + options.toCrs + "'"};
  KImportedFeatures out;
  for (OGRLayer* layer : ds->GetLayers()) {
    KResultWith<SourceFields> fields = FindFields(*layer, options, path);
    if (!fields) return KResult(fields);
    std::unique_ptr<OGRCoordinateTransformation> transform;
    if (!options.toCrs.empty()) {
      const OGRSpatialReference* source = layer->GetSpatialRef();
      // A GeoPackage written without a CRS says "Undefined geographic SRS".
      const char* sourceName = source ? source->GetName() : nullptr;
      if (!source || (sourceName && std::string_view(sourceName).starts_with("Undefined")))
        return KResult{KStatus::kBadInput,
                       "'" + path + "': layer '" + layer->GetName() + "' has no CRS to reproject from"};
      transform.reset(OGRCreateCoordinateTransformation(source, &target));
      if (!transform)
        return KResult{KStatus::kBadInput, "'" + path + "': layer '" + layer->GetName() + "' cannot be reprojected to '" +
                                               options.toCrs + "': " + quiet.LastMessage("PROJ found no way")};
    }
    layer->ResetReading();
    for (auto& feature : *layer) {
      OGRGeometry* geometry = feature->GetGeometryRef();
      if (!geometry) {
        ++out.skipped;
        continue;
      }
      if (transform && geometry->transform(transform.get()) != OGRERR_NONE) {
        ++out.skipped;
        continue;
      }
      Split(*geometry, Attributes(*feature, fields.value(), layer->GetName()), out);
    }
  }
  return out;
}
