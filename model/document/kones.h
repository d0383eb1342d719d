#pragma once
// The drawing document: entries in reading (= drawing) order, the layer and
// block trees, and the reading state the drawing format changes as it goes.
#include <cstddef>
#include <cstdint>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "model/classes/ktree.h"
#include "model/document/kcurve.h"
#include "model/document/kentry.h"
#include "model/document/kread_issue.h"
#include "model/document/klayer.h"
#include "model/document/ktext_properties.h"
#include "platform/base/fixed_pool.h"

// The layers a document created, in creation order, as a range of KLayer*.
class KLayerRange {
public:
  class iterator {
  public:
    using iterator_category = std::forward_iterator_tag;
    using value_type = KLayer*;
    using difference_type = std::ptrdiff_t;
    using pointer = KLayer**;
    using reference = KLayer*;
    explicit iterator(KLayer* at = nullptr) : at_(at) {}
    KLayer* operator*() const { return at_; }
    iterator& operator++();
    iterator operator++(int) {
      iterator was = *this;
      ++*this;
      return was;
    }
    bool operator==(const iterator&) const = default;

  private:
    KLayer* at_;
  };
  explicit KLayerRange(KLayer* first) : first_(first) {}
  iterator begin() const { return iterator(first_); }
  iterator end() const { return iterator(); }
  bool empty() const { return !first_; }
  std::size_t size() const;  // walks the layers

private:
  static KLayer* Next(const KLayer* layer);
  KLayer* first_;
};

// A block is a document too, and a drawing may hold hundreds of thousands of
// them, most of them small: the object is 72 bytes from a pool, and what
// only some documents use (the reading state, their own layers and blocks,
// read issues) is made on first use.
class KOnes {
public:
  KOnes();
  virtual ~KOnes();
  KOnes(const KOnes&) = delete;
  KOnes& operator=(const KOnes&) = delete;

  // Entries, in drawing order. The document owns them.
  std::vector<std::unique_ptr<KEntry>> entries;

  // Reading state. A new document has a default text properties object
  // pending (made when first asked for) and no embellishment.
  int currentColour = 0;

private:
  bool readingEnded_ = false;  // beside the colour, in what would be padding

public:
  KLayer* CurrentLayer() const { return state_ ? state_->currentLayer : nullptr; }
  void SetCurrentLayer(KLayer* layer);
  const std::shared_ptr<KEmbellish>& PendingEmbellishment() const { return Pending().Embellishment(); }
  const std::shared_ptr<KTextProperties>& PendingTextProperties() const { return Pending().TextProperties(); }
  void SetPendingEmbellishment(std::shared_ptr<KEmbellish> value);
  void SetPendingTextProperties(std::shared_ptr<KTextProperties> value);
  // Nothing is pending any more, default included: reading into this
  // document has ended and its entries hold what they took.
  void EndReading();

  KTree<KOnes> blocks;
  KTree<KLayer> layers;

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
  const std::vector<KReadIssue>& ReadIssues() const;
  std::vector<KReadIssue>& MutableReadIssues() { return State().readIssues; }
  void ReportIssue(std::string what, std::int64_t offset, std::string why);

  // All layers this document created, in creation order.
  KLayerRange OwnedLayers() const { return KLayerRange(state_ ? state_->firstLayer : nullptr); }

  QUARVEL_POOLED(KOnes)

private:
  struct Extra {
    KPropertyHolder pending;
    KLayer* currentLayer = nullptr;
    std::vector<KReadIssue> readIssues;
    // Owned layers and blocks, linked through themselves in creation order.
    KLayer* firstLayer = nullptr;
    KLayer* lastLayer = nullptr;
    KOnes* firstBlock = nullptr;
    KOnes* lastBlock = nullptr;
  };
  // Made on first use; a new one takes the default pending text properties
  // unless reading has already ended.
  Extra& State() const;
  const KPropertyHolder& Pending() const;

  mutable std::unique_ptr<Extra> state_;
  KOnes* nextOwned_ = nullptr;  // the next block the owning document holds
};
