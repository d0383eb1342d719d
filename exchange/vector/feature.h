#pragma once
// A drawing's objects as GIS features, in our own terms: one geometry (a
// point, a line or one polygon ring) and the attributes that travel with it.
// The GDAL side (ogr_vector.h) and the drawing side (drawing_features.h)
// meet only here, so the mapping is testable without files.
#include <optional>
#include <string>
#include <vector>

enum class KFeatureShape { kPoint, kLine, kPolygon };

struct KFeaturePoint {
  double x = 0, y = 0, z = 0;
  bool operator==(const KFeaturePoint&) const = default;
};

struct KFeature {
  KFeatureShape shape = KFeatureShape::kPoint;
  // A polygon's ring without the repeated first point; a point holds one.
  std::vector<KFeaturePoint> points;
  bool hasZ = false;  // the points' z mean something
  // Attributes; an empty optional is a null field.
  std::string layer;
  std::string name;
  std::optional<double> z;
  std::optional<int> code;
  std::optional<std::string> colour;  // "#rrggbb"
  std::optional<double> width;
  // Texts only: the text and its height and angle (degrees).
  std::string text;
  std::optional<double> height, angle;

  bool operator==(const KFeature&) const = default;
};

// The attribute fields, in the order they are created.
inline constexpr const char* kFieldLayer = "layer";
inline constexpr const char* kFieldName = "name";
inline constexpr const char* kFieldZ = "z";
inline constexpr const char* kFieldCode = "code";
inline constexpr const char* kFieldColour = "colour";
inline constexpr const char* kFieldWidth = "width";
inline constexpr const char* kFieldText = "text";
inline constexpr const char* kFieldHeight = "height";
inline constexpr const char* kFieldAngle = "angle";
