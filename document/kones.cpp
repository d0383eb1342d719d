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
  ownedLayers_.push_back(std::move(layer));
}

void KOnes::AddBlock(const std::string& path, std::unique_ptr<KOnes> block) {
  KOnes* replaced = blocks.LookupPath(path);
  blocks.InsertPath(path, block.get());
  ownedBlocks_.push_back(std::move(block));
  if (!replaced) return;
  auto owned = std::find_if(ownedBlocks_.begin(), ownedBlocks_.end(),
                            [&](const std::unique_ptr<KOnes>& b) { return b.get() == replaced; });
  if (owned == ownedBlocks_.end()) return;  // entered by someone else, who keeps it
  // The replaced block goes with the blocks it owns; none may still be held.
  std::unordered_set<const KOnes*> dying;
  std::vector<const KOnes*> pending{replaced};
  while (!pending.empty()) {
    const KOnes* doc = pending.back();
    pending.pop_back();
    if (!dying.insert(doc).second) continue;
    for (const auto& inner : doc->ownedBlocks_) pending.push_back(inner.get());
  }
  if (!HoldsAny(*this, dying)) ownedBlocks_.erase(owned);
}

void KOnes::ReportIssue(std::string what, std::int64_t offset, std::string why) {
  readIssues.push_back({std::move(what), offset, std::move(why)});
}
