// The binary grid file of GRID3D elements.
#include "io/grid/grid_file_reader.h"

#include <algorithm>
#include <cerrno>
#include <limits>

#include "io/grid/grid_file_format.h"
#include "model/grid/kgrid3d.h"
#include "platform/files/input_file.h"

namespace {

using namespace kgridfile;

constexpr std::int64_t kHeaderBytes = kHeaderSize;  // as file sizes and offsets count
constexpr double kScale16 = 1.0 / 65536.0;
constexpr double kScale32 = 1.0 / 4294967295.0;

// Decodes the first count values of a row-major block of stored values.
void DecodeValues(const unsigned char* data, std::size_t count, KGridFile& grid) {
  const double range = grid.zMax - grid.zMin;
  const std::size_t size = ValueSize(grid.storage);
  for (std::size_t k = 0; k < count; ++k) {
    const unsigned char* p = data + k * size;
    double v;
    if (grid.storage == kStorage16)
      v = grid.zMin + range * (kle::Load<std::uint16_t>(p) * kScale16);
    else if (grid.storage == kStorage32)
      v = grid.zMin + range * (kle::Load<std::uint32_t>(p) * kScale32);
    else
      v = kle::Load<double>(p);
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
  if (got < kHeaderBytes) {
    // Name the first header field the file does not hold in full.
    const char* missing = "storage code";
    for (const Field& field : kFields)
      if (static_cast<std::size_t>(got) < field.offset + field.size) {
        missing = field.name;
        break;
      }
    return bad("header cut short: the file of " + std::to_string(fileSize) + " bytes ends before " + missing);
  }

  DecodeHeader(header, grid);

  if (grid.nx < 0) return bad("nx is negative (" + std::to_string(grid.nx) + ")");
  if (grid.ny < 0) return bad("ny is negative (" + std::to_string(grid.ny) + ")");
  // Node indices are 32-bit, and the allocation is bounded by what the file
  // holds: nx * ny * size must fit in the bytes after the header.
  const std::uint64_t wx = static_cast<std::uint64_t>(grid.nx);
  const std::uint64_t wy = static_cast<std::uint64_t>(grid.ny);
  const std::string promised = std::to_string(grid.nx) + " x " + std::to_string(grid.ny);
  if (wx * wy > static_cast<std::uint64_t>(std::numeric_limits<std::int32_t>::max()))
    return bad("nx * ny overflows (" + promised + ")");
  const std::uint64_t available = fileSize > kHeaderBytes ? static_cast<std::uint64_t>(fileSize - kHeaderBytes) : 0;
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

