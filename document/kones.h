#pragma once
// The drawing document: entries in reading (= drawing) order, the layer and
// block trees, and the reading state the drawing format changes as it goes.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "classes/ktree.h"
#include "document/kcurve.h"
#include "document/kentry.h"
#include "document/kread_issue.h"
#include "document/klayer.h"
#include "document/ktext_properties.h"


class KOnes {
public:
  KOnes();
  virtual ~KOnes();
  KOnes(const KOnes&) = delete;
  KOnes& operator=(const KOnes&) = delete;

  // Entries, in drawing order. The document owns them.
  std::vector<std::unique_ptr<KEntry>> entries;

  // Reading state.
  std::shared_ptr<KEmbellish> pendingEmbellishment;
  std::shared_ptr<KTextProperties> pendingTextProperties;
  int currentColour = 0;
  KLayer* currentLayer = nullptr;

  KTree<KOnes> blocks;
  KTree<KLayer> layers;

  // Extent: min x, max x, min y, max y (computed by ComputeExtent).
  double minX = 0, maxX = 0, minY = 0, maxY = 0;

  // Appends an entry with the current colour, layer and pending properties;
  // creates layer "0" first when no layer is current.
  KEntry& AddEntry(int kind, std::unique_ptr<KRecord> record);
  // Makes the layer under path current, creating it (state 0) if needed.
  void SelectLayer(const std::string& path);
  // Takes ownership of a block read from NEW ... ENDNEW and enters it under
  // path; a block of the same name is replaced in the tree. Records keep
  // block names, never blocks, so a replaced block this document owns is
  // released unless a block tree reachable from this document still holds
  // it under another name.
  void AddBlock(const std::string& path, std::unique_ptr<KOnes> block);

  // NEW blocks nest at most this deep; a deeper block is skipped (its tokens
  // are consumed up to its ENDNEW) and reported, so hostile input cannot
  // exhaust the stack.
  static constexpr int kMaxBlockDepth = 64;

  // What the readers skipped or rejected, oldest first (blocks report to the
  // document that reads them).
  std::vector<KReadIssue> readIssues;
  void ReportIssue(std::string what, std::int64_t offset, std::string why);

  // All layers this document created, in creation order.
  const std::vector<std::unique_ptr<KLayer>>& OwnedLayers() const;

private:
  // Made when the first layer or block is: a drawing may hold hundreds of
  // thousands of blocks, each a document, most without layers or blocks.
  struct Owned {
    std::vector<std::unique_ptr<KLayer>> layers;
    std::vector<std::unique_ptr<KOnes>> blocks;
  };
  Owned& owned();
  std::unique_ptr<Owned> owned_;
};
