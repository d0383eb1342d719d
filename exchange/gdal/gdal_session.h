#pragma once
// The one door to GDAL for the rest of the exchange layer: drivers
// registered once, GDAL's own messages kept off standard error and handed
// back as text, so every failure can name the file and the cause.
#include <string>

#include "platform/base/result.h"

// Registers GDAL's drivers on first use; cheap afterwards.
void EnsureGdalDrivers();

// While alive, GDAL reports no message on standard error; the latest one
// (error or warning) stays readable through LastMessage.
class KGdalQuiet {
public:
  KGdalQuiet();
  ~KGdalQuiet();
  KGdalQuiet(const KGdalQuiet&) = delete;
  KGdalQuiet& operator=(const KGdalQuiet&) = delete;
  // GDAL's latest message since this object was made, or fallback.
  std::string LastMessage(const std::string& fallback) const;
};

// True when GDAL has a driver of that short name ("GPKG", "GTiff").
bool HasGdalDriver(const std::string& name);

// Checks that PROJ knows crs (an EPSG code such as "EPSG:32631", a PROJ
// string or WKT); the message names what and the cause.
KResult CheckCrs(const std::string& crs, const std::string& what);
