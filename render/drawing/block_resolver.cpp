#include "render/drawing/block_resolver.h"

#include <algorithm>

#include "model/document/kones.h"

void KBlockResolver::Leave() {
  drawing_.pop_back();
  if (drawing_.empty()) resolved_.clear();
}

bool KBlockResolver::MayDraw(const KOnes& block) const {
  if (static_cast<int>(drawing_.size()) > kMaxDepth) return false;
  return std::find(drawing_.begin(), drawing_.end(), &block) == drawing_.end();
}

const KOnes* KBlockResolver::Lookup(const std::string& name) const {
  if (drawing_.empty() || name.empty()) return nullptr;
  return drawing_.back()->blocks.LookupPath(name);
}

const KOnes* KBlockResolver::LookupFor(const void* record, const std::string& name) {
  if (drawing_.empty()) return nullptr;
  const Key key{drawing_.back(), record};
  auto it = resolved_.find(key);
  if (it != resolved_.end()) return it->second;
  const KOnes* block = Lookup(name);
  resolved_.emplace(key, block);
  return block;
}
