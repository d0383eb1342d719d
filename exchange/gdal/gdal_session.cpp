#include "exchange/gdal/gdal_session.h"

#include <mutex>

#include <cpl_error.h>
#include <gdal_priv.h>
#include <ogr_spatialref.h>

void EnsureGdalDrivers() {
  static std::once_flag once;
  std::call_once(once, [] { GDALAllRegister(); });
}

KGdalQuiet::KGdalQuiet() {
  EnsureGdalDrivers();
  CPLPushErrorHandler(CPLQuietErrorHandler);
  CPLErrorReset();
}

KGdalQuiet::~KGdalQuiet() { CPLPopErrorHandler(); }

std::string KGdalQuiet::LastMessage(const std::string& fallback) const {
  const char* text = CPLGetLastErrorMsg();
  return text && *text ? std::string(text) : fallback;
}

bool HasGdalDriver(const std::string& name) {
  EnsureGdalDrivers();
  return GetGDALDriverManager()->GetDriverByName(name.c_str()) != nullptr;
}

KResult CheckCrs(const std::string& crs, const std::string& what) {
  KGdalQuiet quiet;
  OGRSpatialReference srs;
  if (srs.SetFromUserInput(crs.c_str()) != OGRERR_NONE)
    return {KStatus::kBadInput, what + ": unknown CRS '" + crs + "' (" + quiet.LastMessage("PROJ does not know it") + ")"};
  return KResult::Ok();
}
