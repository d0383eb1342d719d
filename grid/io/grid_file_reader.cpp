// The binary grid file of GRID3D elements.
#include "grid/io/grid_file_reader.h"

#include <cerrno>
#include <cstring>
#include <limits>

#include "grid/kgrid3d.h"
#include "platform/input_file.h"

namespace {

// Header layout of a grid file (little-endian); bytes between the fields
// are not interpreted.
constexpr long kOffsetNx = 3;
constexpr long kOffsetNy = 10;
constexpr long kOffsetX0 = 20;
constexpr long kOffsetY0 = 34;
constexpr long kOffsetDx = 48;
constexpr long kOffsetDy = 62;
constexpr long kOffsetZMin = 76;
constexpr long kOffsetZMax = 90;
constexpr long kOffsetStorage = 98;
constexpr long kHeaderSize = 99;

constexpr std::uint8_t kStorage16 = 2;
constexpr std::uint8_t kStorage32 = 4;
constexpr double kScale16 = 1.0 / 65536.0;
constexpr double kScale32 = 1.0 / 4294967295.0;

std::uint32_t LoadU32(const unsigned char* p) {
  return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
         static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}

std::uint64_t LoadU64(const unsigned char* p) {
  return static_cast<std::uint64_t>(LoadU32(p)) | static_cast<std::uint64_t>(LoadU32(p + 4)) << 32;
}

std::int32_t LoadI32(const unsigned char* p) {
  const std::uint32_t u = LoadU32(p);
  std::int32_t v;
  std::memcpy(&v, &u, sizeof v);
  return v;
}

double LoadDouble(const unsigned char* p) {
  const std::uint64_t u = LoadU64(p);
  double v;
  std::memcpy(&v, &u, sizeof v);
  return v;
}

std::size_t ValueSize(std::uint8_t storage) {
  if (storage == kStorage16) return 2;
  if (storage == kStorage32) return 4;
  return 8;
}

// Decodes the values of a row-major block of nx * ny stored values.
void DecodeValues(const unsigned char* data, std::size_t count, KGridFile& grid) {
  grid.values.resize(count);
  const double range = grid.zMax - grid.zMin;
  const std::size_t size = ValueSize(grid.storage);
  for (std::size_t k = 0; k < count; ++k) {
    const unsigned char* p = data + k * size;
    double v;
    if (grid.storage == kStorage16)
      v = grid.zMin + range * ((p[0] | p[1] << 8) * kScale16);
    else if (grid.storage == kStorage32)
      v = grid.zMin + range * (LoadU32(p) * kScale32);
    else
      v = LoadDouble(p);
    grid.values[k] = v;
  }
}

}  // namespace

KResult ReadGridFile(KGridFile& grid, const std::string& path) {
  const auto fail = [&](KResult result) {
    grid.nx = grid.ny = 0;
    grid.values.clear();
    return result;
  };
  const auto bad = [&](const std::string& why) {
    return fail(KResult(KStatus::kBadInput, "grid file '" + path + "': " + why));
  };

  KResultWith<KInputFile> opened = OpenInputFile(path);
  if (!opened) return fail(opened);
  KInputFile& file = opened.value();

  const std::int64_t fileSize = file.size();
  unsigned char header[kHeaderSize];
  const std::int64_t got = file.Read(header, sizeof header);
  if (got < 0) return fail(ErrnoResult(KStatus::kCannotOpen, "cannot read", path, errno));
  if (got < kHeaderSize) {
    // Name the first header field the file does not hold in full.
    struct Field { long offset; long size; const char* name; };
    static constexpr Field kFields[] = {
        {kOffsetNx, 4, "nx"},       {kOffsetNy, 4, "ny"},       {kOffsetX0, 8, "x0"},
        {kOffsetY0, 8, "y0"},       {kOffsetDx, 8, "dx"},       {kOffsetDy, 8, "dy"},
        {kOffsetZMin, 8, "z min"},  {kOffsetZMax, 8, "z max"},  {kOffsetStorage, 1, "storage code"}};
    const char* missing = "storage code";
    for (const Field& field : kFields)
      if (got < field.offset + field.size) {
        missing = field.name;
        break;
      }
    return bad("header cut short: the file of " + std::to_string(fileSize) + " bytes ends before " + missing);
  }

  grid.nx = LoadI32(header + kOffsetNx);
  grid.ny = LoadI32(header + kOffsetNy);
  grid.x0 = LoadDouble(header + kOffsetX0);
  grid.y0 = LoadDouble(header + kOffsetY0);
  grid.dx = LoadDouble(header + kOffsetDx);
  grid.dy = LoadDouble(header + kOffsetDy);
  grid.zMin = LoadDouble(header + kOffsetZMin);
  grid.zMax = LoadDouble(header + kOffsetZMax);
  grid.storage = header[kOffsetStorage];

  if (grid.nx < 0) return bad("nx is negative (" + std::to_string(grid.nx) + ")");
  if (grid.ny < 0) return bad("ny is negative (" + std::to_string(grid.ny) + ")");
  // Node indices are 32-bit, and the allocation is bounded by what the file
  // holds: nx * ny * size must fit in the bytes after the header.
  const std::uint64_t wx = static_cast<std::uint64_t>(grid.nx);
  const std::uint64_t wy = static_cast<std::uint64_t>(grid.ny);
  const std::string promised = std::to_string(grid.nx) + " x " + std::to_string(grid.ny);
  if (wx * wy > static_cast<std::uint64_t>(std::numeric_limits<std::int32_t>::max()))
    return bad("nx * ny overflows (" + promised + ")");
  const std::uint64_t available = fileSize > kHeaderSize ? static_cast<std::uint64_t>(fileSize - kHeaderSize) : 0;
  const std::uint64_t size = ValueSize(grid.storage);
  if (wx * wy > available / size)
    return bad("nx * ny (" + promised + ") promises more values than the " + std::to_string(available) +
               " bytes after the header hold");
  const std::size_t count = static_cast<std::size_t>(wx * wy);

  std::vector<unsigned char> data(count * size);
  const std::int64_t read = file.Read(data.data(), data.size());
  if (read < 0) return fail(ErrnoResult(KStatus::kCannotOpen, "cannot read", path, errno));
  if (read != static_cast<std::int64_t>(data.size()))
    return bad("the values end early: the file shrank after it was opened");
  DecodeValues(data.data(), count, grid);

  grid.zMin = 1e300;
  grid.zMax = -1e300;
  for (double v : grid.values) {
    if (v < grid.zMin) grid.zMin = v;
    if (v > grid.zMax) grid.zMax = v;
  }
  return KResult::Ok();
}

