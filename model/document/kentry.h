#pragma once
// One drawn object of a document: its kind, its record and the reading state
// it was added under.
#include <memory>

#include "model/document/kproperty_pair.h"
#include "model/document/krecord.h"
#include "platform/base/fixed_pool.h"

struct KLayer;

// 32 bytes from a pool: a drawing holds an entry per element.
struct KEntry : KPropertyHolder {
  int kind = 0;
  int colour = 0;                 // minus the COLORREF: -(r + 256 g + 65536 b)
  std::unique_ptr<KRecord> record;
  KLayer* layer = nullptr;        // never null once added
  // Embellishment() and TextProperties() (KPropertyHolder): shared with the
  // layer or other entries added while they were pending.

  // The record as its concrete type; nullptr when the kind does not match.
  template <class T>
  T* As() const { return dynamic_cast<T*>(record.get()); }

  // The entry's own value, else its layer's.
  KEmbellish* EffectiveEmbellishment() const;
  KTextProperties* EffectiveTextProperties() const;

  QUARVEL_POOLED(KEntry)
};
