#include "document/kones.h"

#include <algorithm>
#include <cstring>
#include <unordered_set>

#include "document/elements.h"

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

KOnes::KOnes() : pendingTextProperties(std::make_shared<KTextProperties>()) {}

KOnes::~KOnes() = default;

KOnes::Owned& KOnes::owned() {
  if (!owned_) owned_ = std::make_unique<Owned>();
  return *owned_;
}

const std::vector<std::unique_ptr<KLayer>>& KOnes::OwnedLayers() const {
  static const std::vector<std::unique_ptr<KLayer>> none;
  return owned_ ? owned_->layers : none;
}

KEntry& KOnes::AddEntry(int kind, std::unique_ptr<KRecord> record) {
  if (!currentLayer) SelectLayer(kDefaultLayer);
  auto entry = std::make_unique<KEntry>();
  entry->kind = kind;
  entry->record = std::move(record);
  entry->colour = currentColour;
  entry->layer = currentLayer;
  entry->embellishment = pendingEmbellishment;
  entry->textProperties = pendingTextProperties;
  entries.push_back(std::move(entry));
  return *entries.back();
}

void KOnes::SelectLayer(const std::string& path) {
  if (KLayer* layer = layers.LookupPath(path)) {
    currentLayer = layer;
    return;
  }
  auto layer = std::make_unique<KLayer>();
  layer->name = path;
  layers.InsertPath(path, layer.get());
  currentLayer = layer.get();
  owned().layers.push_back(std::move(layer));
}

void KOnes::AddBlock(const std::string& path, std::unique_ptr<KOnes> block) {
  KOnes* replaced = blocks.LookupPath(path);
  blocks.InsertPath(path, block.get());
  std::vector<std::unique_ptr<KOnes>>& ownedBlocks = owned().blocks;
  ownedBlocks.push_back(std::move(block));
  if (!replaced) return;
  auto found = std::find_if(ownedBlocks.begin(), ownedBlocks.end(),
                            [&](const std::unique_ptr<KOnes>& b) { return b.get() == replaced; });
  if (found == ownedBlocks.end()) return;  // entered by someone else, who keeps it
  // The replaced block goes with the blocks it owns; none may still be held.
  std::unordered_set<const KOnes*> dying;
  std::vector<const KOnes*> pending{replaced};
  while (!pending.empty()) {
    const KOnes* doc = pending.back();
    pending.pop_back();
    if (!dying.insert(doc).second) continue;
    if (!doc->owned_) continue;
    for (const auto& inner : doc->owned_->blocks) pending.push_back(inner.get());
  }
  if (!HoldsAny(*this, dying)) ownedBlocks.erase(found);
}

void KOnes::ReportIssue(std::string what, std::int64_t offset, std::string why) {
  readIssues.push_back({std::move(what), offset, std::move(why)});
}
