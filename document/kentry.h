#pragma once
// One drawn object of a document: its kind, its record and the reading state
// it was added under.
#include <memory>

#include "document/krecord.h"

class KEmbellish;
struct KLayer;
struct KTextProperties;

struct KEntry {
  // The two ints side by side: a drawing holds an entry per element, and
  // 56 bytes take a smaller heap block than 64.
  int kind = 0;
  int colour = 0;                 // minus the COLORREF: -(r + 256 g + 65536 b)
  std::unique_ptr<KRecord> record;
  KLayer* layer = nullptr;        // never null once added
  // Shared with the layer or other entries added while they were pending.
  std::shared_ptr<KEmbellish> embellishment;
  std::shared_ptr<KTextProperties> textProperties;

  // The record as its concrete type; nullptr when the kind does not match.
  template <class T>
  T* As() const { return dynamic_cast<T*>(record.get()); }

  // The entry's own value, else its layer's.
  KEmbellish* EffectiveEmbellishment() const;
  KTextProperties* EffectiveTextProperties() const;
};
