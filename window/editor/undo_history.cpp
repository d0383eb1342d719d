#include "window/editor/undo_history.h"

#include <algorithm>
#include <unordered_map>
#include <unordered_set>
#include <utility>

#include "model/document/elements.h"
#include "model/document/kcurve.h"
#include "model/grid/kxyz_list.h"

namespace {

std::unique_ptr<KRecord> CopyRecord(const KRecord* record) {
  if (const auto* curve = dynamic_cast<const KCurve*>(record)) return std::make_unique<KCurve>(*curve);
  if (const auto* list = dynamic_cast<const KXyzList*>(record)) return std::make_unique<KXyzList>(*list);
  if (const auto* point = dynamic_cast<const KPointText*>(record)) return std::make_unique<KPointText>(*point);
  return nullptr;
}

bool SameRecord(const KRecord* a, const KRecord* b) {
  const auto* ca = dynamic_cast<const KCurve*>(a);
  const auto* cb = dynamic_cast<const KCurve*>(b);
  if (ca && cb) {
    if (ca->count != cb->count) return false;
    const double* va[4] = {ca->x(), ca->y(), ca->z(), ca->s()};
    const double* vb[4] = {cb->x(), cb->y(), cb->z(), cb->s()};
    for (int k = 0; k < 4; ++k)
      if (!std::equal(va[k], va[k] + ca->count, vb[k])) return false;
    return ca->name() == cb->name() && ca->code() == cb->code() && ca->width() == cb->width() &&
           ca->closure == cb->closure && ca->dimension == cb->dimension;
  }
  const auto* pa = dynamic_cast<const KPointText*>(a);
  const auto* pb = dynamic_cast<const KPointText*>(b);
  if (pa && pb) return pa->x == pb->x && pa->y == pb->y && pa->z == pb->z && pa->label.view() == pb->label.view();
  const auto* la = dynamic_cast<const KXyzList*>(a);
  const auto* lb = dynamic_cast<const KXyzList*>(b);
  // Lists only lose points in place.
  if (la && lb) return la->size() == lb->size();
  return false;
}

// Takes the entry out of the document; null when it is not there.
std::unique_ptr<KEntry> TakeOut(KOnes& document, const KEntry* entry) {
  auto it = std::find_if(document.entries.begin(), document.entries.end(),
                         [entry](const std::unique_ptr<KEntry>& e) { return e.get() == entry; });
  if (it == document.entries.end()) return nullptr;
  std::unique_ptr<KEntry> taken = std::move(*it);
  document.entries.erase(it);
  return taken;
}

}  // namespace

// An entry the step added or removed, at its index in the list it was in,
// owned here while it is out of the document.
struct KHeldEntry {
  std::size_t index = 0;
  KEntry* entry = nullptr;
  std::unique_ptr<KEntry> owned;
};

struct KUndoHistory::Step {
  std::string what;
  std::vector<KHeldEntry> added;    // ascending index in the list after
  std::vector<KHeldEntry> removed;  // ascending index in the list before
  // The other version of each record changed in place.
  std::vector<std::pair<KEntry*, std::unique_ptr<KRecord>>> records;
  // The other colour and layer of each entry, the other state of each layer.
  struct EntryLook {
    KEntry* entry;
    int colour;
    KLayer* layer;
  };
  std::vector<EntryLook> looks;
  std::vector<std::pair<KLayer*, int>> states;

  // Takes the entries of `out` out of the document and puts those of `in`
  // back at their indices.
  static void Exchange(KOnes& document, std::vector<KHeldEntry>& out, std::vector<KHeldEntry>& in) {
    for (KHeldEntry& held : out) held.owned = TakeOut(document, held.entry);
    for (KHeldEntry& held : in) {
      if (!held.owned) continue;
      const std::size_t at = std::min(held.index, document.entries.size());
      document.entries.insert(document.entries.begin() + static_cast<std::ptrdiff_t>(at), std::move(held.owned));
    }
  }
  // Only entries still in the document: one the host removed by other
  // means is gone and must not be touched.
  void SwapRecords(const KOnes& document) {
    std::unordered_set<const KEntry*> present;
    for (const auto& entry : document.entries) present.insert(entry.get());
    for (auto& [entry, record] : records)
      if (present.count(entry)) std::swap(entry->record, record);
    for (EntryLook& look : looks)
      if (present.count(look.entry)) {
        std::swap(look.entry->colour, look.colour);
        std::swap(look.entry->layer, look.layer);
      }
    for (auto& [layer, state] : states) std::swap(layer->state, state);
  }
};

KUndoHistory::KUndoHistory() = default;
KUndoHistory::~KUndoHistory() = default;

void KUndoHistory::Begin(const KOnes& document, const std::vector<const KEntry*>& changing, std::string what) {
  pending_ = std::make_unique<Step>();
  pending_->what = std::move(what);
  removed_.clear();
  before_.clear();
  for (const auto& entry : document.entries) before_.push_back(entry.get());
  for (const KEntry* entry : changing) Changing(entry);
}

void KUndoHistory::Changing(const KEntry* entry) {
  if (!pending_ || !entry) return;
  if (auto copy = CopyRecord(entry->record.get()))
    pending_->records.emplace_back(const_cast<KEntry*>(entry), std::move(copy));
}

void KUndoHistory::ChangingEntry(const KEntry* entry) {
  if (!pending_ || !entry) return;
  Changing(entry);
  auto* mutableEntry = const_cast<KEntry*>(entry);
  pending_->looks.push_back({mutableEntry, entry->colour, entry->layer});
}

void KUndoHistory::ChangingLayer(const KLayer* layer) {
  if (pending_ && layer) pending_->states.emplace_back(const_cast<KLayer*>(layer), layer->state);
}

bool KUndoHistory::Commit(const KOnes& document) {
  if (!pending_) return false;
  std::unique_ptr<Step> step = std::move(pending_);
  const std::unordered_set<const KEntry*> before(before_.begin(), before_.end());
  std::unordered_set<const KEntry*> after;
  for (std::size_t i = 0; i < document.entries.size(); ++i) {
    const KEntry* entry = document.entries[i].get();
    after.insert(entry);
    if (!before.count(entry))
      step->added.push_back({i, const_cast<KEntry*>(entry), nullptr});
  }
  std::unordered_map<const KEntry*, std::unique_ptr<KEntry>> bin;
  for (auto& entry : removed_) bin[entry.get()] = std::move(entry);
  removed_.clear();
  for (std::size_t i = 0; i < before_.size(); ++i) {
    if (after.count(before_[i])) continue;
    auto it = bin.find(before_[i]);
    if (it == bin.end()) continue;  // destroyed by the action: cannot come back
    step->removed.push_back({i, it->second.get(), std::move(it->second)});
  }
  auto& records = step->records;
  records.erase(std::remove_if(records.begin(), records.end(),
                               [](const auto& r) { return SameRecord(r.first->record.get(), r.second.get()); }),
                records.end());
  auto& looks = step->looks;
  looks.erase(std::remove_if(looks.begin(), looks.end(),
                             [](const Step::EntryLook& l) {
                               return l.entry->colour == l.colour && l.entry->layer == l.layer;
                             }),
              looks.end());
  auto& states = step->states;
  states.erase(std::remove_if(states.begin(), states.end(),
                              [](const auto& s) { return s.first->state == s.second; }),
               states.end());
  before_.clear();
  if (step->added.empty() && step->removed.empty() && records.empty() && looks.empty() && states.empty())
    return false;
  undo_.push_back(std::move(step));
  redo_.clear();
  return true;
}

bool KUndoHistory::Undo(KOnes& document) {
  if (undo_.empty()) return false;
  std::unique_ptr<Step> step = std::move(undo_.back());
  undo_.pop_back();
  Step::Exchange(document, step->added, step->removed);
  step->SwapRecords(document);
  redo_.push_back(std::move(step));
  return true;
}

bool KUndoHistory::Redo(KOnes& document) {
  if (redo_.empty()) return false;
  std::unique_ptr<Step> step = std::move(redo_.back());
  redo_.pop_back();
  step->SwapRecords(document);
  Step::Exchange(document, step->removed, step->added);
  undo_.push_back(std::move(step));
  return true;
}

std::string KUndoHistory::UndoName() const { return undo_.empty() ? "" : undo_.back()->what; }
std::string KUndoHistory::RedoName() const { return redo_.empty() ? "" : redo_.back()->what; }

void KUndoHistory::Clear() {
  undo_.clear();
  redo_.clear();
  pending_.reset();
  before_.clear();
  removed_.clear();
}
