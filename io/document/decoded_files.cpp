#include "io/document/decoded_files.h"

#include <climits>
#include <cstdlib>
#include <memory>
#include <utility>

#include "io/grid/grid_file_reader.h"
#include "model/grid/grid3d_image.h"

namespace {

// The key of a file: where its name leads, so that two spellings of one
// file share; the name as written when it leads nowhere.
std::string FileKey(const std::string& path) {
  std::unique_ptr<char, decltype(&std::free)> resolved(realpath(path.c_str(), nullptr), &std::free);
  return resolved ? std::string(resolved.get()) : path;
}

std::size_t ImageBytes(const KImage& image) { return image.pixels.size() * sizeof(std::uint32_t); }

}  // namespace

bool KDecodedFiles::Take(std::size_t bytes) {
  if (bytes > budget_ - used_) return false;
  used_ += bytes;
  return true;
}

KResult KDecodedFiles::OverBudget(const std::string& path) const {
  const std::string budget =
      budget_ >= (1 << 20) ? std::to_string(budget_ >> 20) + " MB" : std::to_string(budget_) + " bytes";
  return KResult(KStatus::kRefused,
                 "'" + path + "' not decoded: the drawing's pictures and grids would take more than " + budget);
}

KResultWith<KImage> KDecodedFiles::Image(const std::string& path) {
  const std::string key = FileKey(path);
  if (auto found = images_.find(key); found != images_.end()) return found->second;
  KResultWith<KImage> decoded = DecodeImage(path);
  if (decoded && !Take(ImageBytes(decoded.value()))) decoded = KResultWith<KImage>(OverBudget(path), KImage{});
  return images_.emplace(key, std::move(decoded)).first->second;
}

const KDecodedFiles::Grid& KDecodedFiles::GridFile(const std::string& path) {
  const std::string key = FileKey(path);
  if (auto found = grids_.find(key); found != grids_.end()) return found->second;
  Grid g;
  KWarningList warnings;
  g.loaded = ReadGridFile(g.grid, path, &warnings);
  g.warnings = warnings.items();
  if (g.grid.HasValues()) {
    // The values and the image built from them: a pixel per node.
    const std::size_t bytes = g.grid.values.size() * (sizeof(double) + sizeof(std::uint32_t));
    if (Take(bytes)) {
      g.image = BuildGridImage(g.grid, g.colours);
    } else {
      // The element keeps its place, without values or picture.
      g.grid.values.clear();
      g.loaded = OverBudget(path);
      g.warnings.clear();
    }
  }
  return grids_.emplace(key, std::move(g)).first->second;
}
