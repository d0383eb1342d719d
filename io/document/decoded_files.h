#pragma once
// The pictures (BMPIN) and grid files (GRID3D) a drawing names, each decoded
// once per load and shared by every element that names it: copies of the
// decoded image and values share their buffers. What one load decodes is
// held to a budget; a file that would go past it is not kept, and the
// elements naming it stay without picture or values, with a warning.
#include <cstddef>
#include <map>
#include <string>
#include <vector>

#include "model/grid/kcolor_table.h"
#include "model/grid/kgrid3d.h"
#include "platform/base/result.h"
#include "platform/base/warning.h"
#include "platform/device/kimage.h"

class KDecodedFiles {
public:
  // The heading of the read issue of an element left out by the budget.
  static constexpr const char* kOverBudget = "decoding budget reached";
  // The heading for a file that did not load: the budget's, or fallback.
  static const char* IssueWhat(const KResult& loaded, const char* fallback) {
    return loaded.status() == KStatus::kRefused ? kOverBudget : fallback;
  }

  // Decoded bytes (pixels and grid values) one drawing may hold.
  static constexpr std::size_t kDefaultBudget = std::size_t{1} << 30;

  explicit KDecodedFiles(std::size_t budget = kDefaultBudget) : budget_(budget) {}

  // The picture at path (see DecodeImage), decoded on its first request.
  KResultWith<KImage> Image(const std::string& path);

  struct Grid {
    KResult loaded;
    KGridFile grid;
    KImage image;
    KColorTable colours;
    std::vector<KWarning> warnings;  // what reading the file warned of
  };
  // The grid file at path with its coloured image, read on its first request.
  const Grid& GridFile(const std::string& path);

  std::size_t used() const { return used_; }

private:
  // Whether bytes more still fit; counts them when they do.
  bool Take(std::size_t bytes);
  KResult OverBudget(const std::string& path) const;

  std::size_t budget_;
  std::size_t used_ = 0;
  std::map<std::string, KResultWith<KImage>> images_;
  std::map<std::string, Grid> grids_;
};
