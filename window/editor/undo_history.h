#pragma once
// Undo and redo of the editing actions of the drawing window (rectangle
// delete, finished curves, modify, trim, merge, layer states, an entry's
// properties and layer). A step remembers which entries the action added and
// removed, keeping the removed ones alive, the previous version of each
// record it changed in place, and the previous colour and layer of entries
// and state of layers it changed; undoing puts all of that back, redoing
// does it again. Entries added later by other means stay where they are.
#include <memory>
#include <string>
#include <vector>

#include "model/document/kones.h"

class KUndoHistory {
public:
  KUndoHistory();
  ~KUndoHistory();
  KUndoHistory(const KUndoHistory&) = delete;
  KUndoHistory& operator=(const KUndoHistory&) = delete;

  // Starts a step named what: remembers the entry order and copies the
  // records of changing (the entries the action may change in place;
  // polylines and x, y, z lists).
  void Begin(const KOnes& document, const std::vector<const KEntry*>& changing, std::string what);
  // One more entry the action may change in place, found after Begin.
  void Changing(const KEntry* entry);
  // An entry whose colour or layer (and record) the action may change.
  void ChangingEntry(const KEntry* entry);
  // A layer whose state the action may change. Layers live as long as
  // their document, so the step may hold them.
  void ChangingLayer(const KLayer* layer);
  // Where the action puts the entries it removes, instead of destroying them.
  std::vector<std::unique_ptr<KEntry>>* Removed() { return &removed_; }
  // Ends the step. It is kept (and the redo list cleared) only when the
  // document changed; true then.
  bool Commit(const KOnes& document);

  bool Undo(KOnes& document);
  bool Redo(KOnes& document);
  bool CanUndo() const { return !undo_.empty(); }
  bool CanRedo() const { return !redo_.empty(); }
  // The name of the step Undo / Redo would act on ("" when none).
  std::string UndoName() const;
  std::string RedoName() const;
  void Clear();

private:
  struct Step;
  std::vector<std::unique_ptr<Step>> undo_, redo_;
  std::unique_ptr<Step> pending_;
  std::vector<const KEntry*> before_;
  std::vector<std::unique_ptr<KEntry>> removed_;
};
