#include "document/kones.h"

#include <cstring>

#include "curves/kcurve_array.h"
#include "document/elements.h"
#include "document/kread_context.h"
#include "document/record_readers.h"
#include "platform/byte_source.h"
#include "platform/c_locale.h"
#include "platform/progress.h"

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

int KOnes::ReadBlock(KByteSource& src, KProgressSink* progress, int depth) {
  KReadContext ctx{src, progress, &readIssues};
  return ReadBlock(ctx, depth);
}

int KOnes::ReadTextFrom(KByteSource& src, KProgressSink* progress) {
  if (progress) progress->SetTotal(src.Length());
  const int result = ReadBlock(src, progress, 0);
  if (progress) progress->SetPos(src.Position());
  return result;
}

int KOnes::ReadStepFrom(KByteSource& src) {
  KReadContext ctx{src, nullptr, &readIssues};
  {
    KCLocaleScope cLocale;
    AddEntry(kKindStepList, ReadStepList(ctx));
  }
  return ReadBlock(ctx, 0);
}

int KOnes::ReadCurvesFrom(KByteSource& src) {
  KReadContext ctx{src, nullptr, &readIssues};
  std::unique_ptr<KCurveArray> curves;
  {
    KCLocaleScope cLocale;
    curves = ReadCurveFile(ctx);
  }
  if (!curves) curves = std::make_unique<KCurveArray>();
  AddEntry(kKindCurveArray, std::move(curves));
  return 1;
}

int KOnes::OpenTextFile(const std::string& path, KProgressSink* progress) {
  KByteSource src = KByteSource::FromFile(path);
  return src.ok() ? ReadTextFrom(src, progress) : 0;
}

int KOnes::OpenMemory(const std::string& text) {
  KByteSource src = KByteSource::FromMemory(std::string(text.c_str(), std::strlen(text.c_str())));
  return ReadBlock(src, nullptr, 0);
}

int KOnes::OpenStepFile(const std::string& path) {
  KByteSource src = KByteSource::FromFile(path);
  return src.ok() ? ReadStepFrom(src) : 0;
}

int KOnes::OpenCurveFile(const std::string& path) {
  KByteSource src = KByteSource::FromFile(path);
  return src.ok() ? ReadCurvesFrom(src) : 0;
}
