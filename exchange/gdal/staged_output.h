#pragma once
// GDAL writes its files itself, some formats several beside each other
// (a shapefile's .shx and .dbf, a raster's .aux.xml). So that a failure
// leaves nothing behind and a success replaces the output whole, it writes
// into a private folder beside the target, and the files move into place
// only when the writing has succeeded.
#include <string>

#include "platform/base/result.h"

class KStagedOutput {
public:
  // Makes the private folder in target's folder; ok() says whether it could.
  explicit KStagedOutput(std::string target);
  // Removes the folder and whatever is still in it.
  ~KStagedOutput();
  KStagedOutput(const KStagedOutput&) = delete;
  KStagedOutput& operator=(const KStagedOutput&) = delete;

  const KResult& status() const { return status_; }
  // Where GDAL is to write: the target's own name inside the folder.
  const std::string& path() const { return staged_; }
  // The private folder itself.
  const std::string& folder() const { return folder_; }
  // Moves every file of the folder into the target's folder (the staged
  // name's siblings keep their names). Fails naming the file it could not move.
  KResult Commit();

private:
  std::string target_, folder_, staged_;
  KResult status_;
};
