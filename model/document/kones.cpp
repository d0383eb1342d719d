#include "model/document/kones.h"

#include <cstring>
#include <unordered_set>

#include "model/document/elements.h"

namespace {
constexpr const char* kDefaultLayer = "0";

// Whether a block tree reachable from document, through trees of blocks
// that stay alive, holds one of the dying blocks.
bool HoldsAny(const KOnes& document, const std::unordered_set<const KOnes*>& dying) {
  std::vector<const KOnes*> pending{&document};
  std::unordered_set<const KOnes*> seen{&document};
  bool found = false;
  while (!pending.empty() && !found) {
    const KOnes* doc = pending.back();
    pending.pop_back();
    doc->blocks.EnumeratePaths("", [&](const std::string&, KOnes* item) {
      if (!item) return;
      if (dying.count(item)) {
        found = true;
        return;
      }
      if (seen.insert(item).second) pending.push_back(item);
    });
  }
  return found;
}

}  // namespace

// Sizes the memory bound of degenerate drawings rests on.
static_assert(sizeof(KOnes) <= 72, "a block is a document: keep it small");
static_assert(sizeof(KEntry) <= 32 && sizeof(KLayer) <= 40 && sizeof(KPointText) <= 48 && sizeof(KText) <= 104);

KLayer* KLayerRange::Next(const KLayer* layer) { return layer->nextOwned_; }

KLayerRange::iterator& KLayerRange::iterator::operator++() {
  at_ = Next(at_);
  return *this;
}

std::size_t KLayerRange::size() const {
  std::size_t n = 0;
  for (auto it = begin(); it != end(); ++it) ++n;
  return n;
}

KOnes::KOnes() = default;

KOnes::~KOnes() {
  if (!state_) return;
  // Entries point at layers: they go first.
  entries.clear();
  for (KOnes* block = state_->firstBlock; block;) {
    KOnes* next = block->nextOwned_;
    delete block;
    block = next;
  }
  for (KLayer* layer = state_->firstLayer; layer;) {
    KLayer* next = layer->nextOwned_;
    delete layer;
    layer = next;
  }
}

KOnes::Extra& KOnes::State() const {
  if (!state_) {
    state_ = std::make_unique<Extra>();
    if (!readingEnded_) state_->pending.SetTextProperties(std::make_shared<KTextProperties>());
  }
  return *state_;
}

const KPropertyHolder& KOnes::Pending() const {
  static const KPropertyHolder nothing;
  if (!state_ && readingEnded_) return nothing;
  return State().pending;
}

void KOnes::SetCurrentLayer(KLayer* layer) {
  if (layer || state_) State().currentLayer = layer;
}

void KOnes::SetPendingEmbellishment(std::shared_ptr<KEmbellish> value) {
  State().pending.SetEmbellishment(std::move(value));
}

void KOnes::SetPendingTextProperties(std::shared_ptr<KTextProperties> value) {
  State().pending.SetTextProperties(std::move(value));
}

void KOnes::EndReading() {
  readingEnded_ = true;
  if (state_) state_->pending.ShareProperties(nullptr);
}

const std::vector<KReadIssue>& KOnes::ReadIssues() const {
  static const std::vector<KReadIssue> none;
  return state_ ? state_->readIssues : none;
}

KEntry& KOnes::AddEntry(int kind, std::unique_ptr<KRecord> record) {
  if (!CurrentLayer()) SelectLayer(kDefaultLayer);
  auto entry = std::make_unique<KEntry>();
  entry->kind = kind;
  entry->record = std::move(record);
  entry->colour = currentColour;
  entry->layer = state_->currentLayer;
  entry->ShareProperties(state_->pending.Properties());
  entries.push_back(std::move(entry));
  return *entries.back();
}

void KOnes::SelectLayer(const std::string& path) {
  Extra& state = State();
  if (KLayer* layer = layers.LookupPath(path)) {
    state.currentLayer = layer;
    return;
  }
  auto layer = std::make_unique<KLayer>();
  layer->name = path;
  layers.InsertPath(path, layer.get());
  KLayer* made = layer.release();
  (state.lastLayer ? state.lastLayer->nextOwned_ : state.firstLayer) = made;
  state.lastLayer = made;
  state.currentLayer = made;
}

void KOnes::AddBlock(const std::string& path, std::unique_ptr<KOnes> block) {
  Extra& state = State();
  KOnes* replaced = blocks.LookupPath(path);
  blocks.InsertPath(path, block.get());
  KOnes* added = block.release();
  (state.lastBlock ? state.lastBlock->nextOwned_ : state.firstBlock) = added;
  state.lastBlock = added;
  if (!replaced) return;
  KOnes* before = nullptr;
  KOnes* found = state.firstBlock;
  while (found && found != replaced) {
    before = found;
    found = found->nextOwned_;
  }
  if (!found) return;  // entered by someone else, who keeps it
  // The replaced block goes with the blocks it owns; none may still be held.
  std::unordered_set<const KOnes*> dying;
  std::vector<const KOnes*> pending{replaced};
  while (!pending.empty()) {
    const KOnes* doc = pending.back();
    pending.pop_back();
    if (!dying.insert(doc).second) continue;
    if (!doc->state_) continue;
    for (const KOnes* inner = doc->state_->firstBlock; inner; inner = inner->nextOwned_) pending.push_back(inner);
  }
  if (HoldsAny(*this, dying)) return;
  (before ? before->nextOwned_ : state.firstBlock) = found->nextOwned_;
  if (state.lastBlock == found) state.lastBlock = before;
  delete found;
}

void KOnes::ReportIssue(std::string what, std::int64_t offset, std::string why) {
  State().readIssues.push_back({std::move(what), offset, std::move(why)});
}
