#include "exchange/vector/drawing_exchange.h"

KResultWith<std::size_t> ExportDrawing(const KOnes& doc, const std::string& path, const KVectorExport& options) {
  const KDrawingFeatures drawn = FeaturesOfDrawing(doc);
  if (KResult written = WriteFeatures(drawn.features, path, options); !written) return written;
  return drawn.skipped;
}

KResultWith<KAddedCounts> ImportInto(KOnes& doc, const std::vector<std::string>& paths, const KVectorImport& options,
                                     bool xyzLists) {
  KImportedFeatures all;
  for (const std::string& path : paths) {
    KResultWith<KImportedFeatures> read = ReadFeatures(path, options);
    if (!read) return KResult(read);
    for (KFeature& f : read.value().features) all.features.push_back(std::move(f));
    all.skipped += read.value().skipped;
  }
  KAddedCounts added = AddFeatures(doc, all.features, xyzLists);
  added.skipped += all.skipped;
  return added;
}
