#include "document/kones.h"

#include <cstring>

#include "document/elements.h"

namespace {
constexpr const char* kDefaultLayer = "0";
}  // namespace

KOnes::KOnes() : pendingTextProperties(std::make_shared<KTextProperties>()) {}

KCurve& KOnes::Digitising() {
  if (!digitising_) {
    digitising_ = std::make_unique<KCurve>();
    digitising_->dimension = 2;
  }
  return *digitising_;
}

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
  blocks.InsertPath(path, block.get());
  ownedBlocks_.push_back(std::move(block));
}

void KOnes::ReportIssue(std::string what, std::int64_t offset, std::string why) {
  readIssues.push_back({std::move(what), offset, std::move(why)});
}
