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

class KByteSource;
class KProgressSink;
struct KReadContext;

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

  // Collects points while a curve is digitised by mouse: dimension 2, made
  // on first use (every block is a document too, and most never digitise).
  KCurve& Digitising();
  int digitisingCapacity = 100000;

  // Appends an entry with the current colour, layer and pending properties;
  // creates layer "0" first when no layer is current.
  KEntry& AddEntry(int kind, std::unique_ptr<KRecord> record);
  // Makes the layer under path current, creating it (state 0) if needed.
  void SelectLayer(const std::string& path);
  // Takes ownership of a block read from NEW ... ENDNEW and enters it under
  // path; a block of the same name is replaced in the tree (the old one stays
  // alive, since drawn insertions may still point at it).
  void AddBlock(const std::string& path, std::unique_ptr<KOnes> block);

  // The four ways to fill a document; none clears it first. Each returns 0
  // and leaves the document unchanged when the file cannot be opened.
  // OpenTextFile and OpenMemory return what ReadBlock returned (2 after an
  // outermost ENDNEW, else 0); OpenStepFile likewise; OpenCurveFile 1.
  int OpenTextFile(const std::string& path, KProgressSink* progress = nullptr);
  // text is taken up to its first NUL byte, as a C string would be.
  int OpenMemory(const std::string& text);
  int OpenStepFile(const std::string& path);
  int OpenCurveFile(const std::string& path);

  // The same readers over an input the caller has opened already (so the
  // caller can tell "cannot open" from "read nothing").
  int ReadTextFrom(KByteSource& src, KProgressSink* progress = nullptr);
  int ReadStepFrom(KByteSource& src);
  int ReadCurvesFrom(KByteSource& src);

  // Runs the keyword dispatcher over src until ENDNEW (result 2) or the end
  // of input (result 0). Issues go to this document's readIssues.
  int ReadBlock(KByteSource& src, KProgressSink* progress = nullptr, int depth = 0);
  // The same with an explicit context: a nested block reads with its outer
  // document's context, so its issues land in the outermost document.
  int ReadBlock(KReadContext& ctx, int depth);

  // NEW blocks nest at most this deep; a deeper block is skipped (its tokens
  // are consumed up to its ENDNEW) and reported, so hostile input cannot
  // exhaust the stack.
  static constexpr int kMaxBlockDepth = 64;

  // What the readers skipped or rejected, oldest first (blocks report to the
  // document that reads them).
  std::vector<KReadIssue> readIssues;
  void ReportIssue(std::string what, std::int64_t offset, std::string why);

  // All layers this document created, in creation order.
  const std::vector<std::unique_ptr<KLayer>>& OwnedLayers() const { return ownedLayers_; }

private:
  std::vector<std::unique_ptr<KLayer>> ownedLayers_;
  std::vector<std::unique_ptr<KOnes>> ownedBlocks_;
  std::unique_ptr<KCurve> digitising_;
};
