#pragma once
// The usage lines of the exchange commands, shared by the commands
// themselves (in quarvel-exchange) and by quarvel, which answers "help" for
// them without starting the helper.
inline constexpr const char* kExportUsage =
    "export IN... -o OUT.gpkg|.geojson|.shp|.dxf|.csv|.kml [--format NAME] [--crs CRS]";
inline constexpr const char* kImportUsage =
    "import IN... -o OUT.qvd [--layer-field F] [--z-field F] [--name-field F] [--to-crs CRS] [--xyz]";
inline constexpr const char* kNetExportUsage =
    "net-export NET -o OUT.tif|.nc|.grd|.asc|.zmap [--format NAME] [--crs CRS]";
inline constexpr const char* kGrid3dImportUsage = "grid3d-import RASTER -o OUT.grd";
