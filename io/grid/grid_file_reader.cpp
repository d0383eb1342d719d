// The binary grid file of GRID3D elements.
#include "io/grid/grid_file_reader.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <limits>

#include "model/grid/kgrid3d.h"
#include "platform/files/input_file.h"

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

// Decodes the first count values of a row-major block of stored values.
void DecodeValues(const unsigned char* data, std::size_t count, KGridFile& grid) {
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

KResult ReadGridFile(KGridFile& grid, const std::string& path, KWarningSink* warnings) {
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
  const std::uint64_t held = available / size;
  const auto tooFew = [&](std::uint64_t bytes) {
    return bad("nx * ny (" + promised + ") promises more values than the " + std::to_string(bytes) +
               " bytes after the header hold");
  };
  const std::uint64_t total = wx * wy;
  if (total > held && (held == 0 || total / kCutShortRatio > held)) return tooFew(available);
  const std::size_t count = static_cast<std::size_t>(total);

  // What the file holds of the values, read in one go; it may have shrunk
  // since it was opened, which counts as being cut short there.
  std::vector<unsigned char> data(static_cast<std::size_t>(std::min(total, held) * size));
  const std::int64_t read = file.Read(data.data(), data.size());
  if (read < 0) return fail(ErrnoResult(KStatus::kCannotOpen, "cannot read", path, errno));
  const std::size_t present = static_cast<std::size_t>(read) / size;
  if (present < count && (present == 0 || count / kCutShortRatio > present)) return tooFew(static_cast<std::uint64_t>(read));
  grid.values.resize(count);
  DecodeValues(data.data(), present, grid);

  grid.zMin = 1e300;
  grid.zMax = -1e300;
  for (std::size_t k = 0; k < present; ++k) {
    const double v = grid.values[k];
    if (v < grid.zMin) grid.zMin = v;
    if (v > grid.zMax) grid.zMax = v;
  }
  if (present < count) {
    std::fill(grid.values.begin() + static_cast<std::ptrdiff_t>(present), grid.values.end(), grid.zMin);
    if (warnings)
      warnings->Warn({{}, {}, "grid cut short",
                      "grid file '" + path + "' is cut short: it holds " + std::to_string(present) + " of the " +
                          std::to_string(count) + " values (" + promised + "); the rest take the smallest value read"});
  }
  return KResult::Ok();
}

