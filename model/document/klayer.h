#pragma once
// A named layer ("class") with its state and default drawing properties.
#include "model/document/kproperty_pair.h"
#include "platform/base/fixed_pool.h"
#include "platform/base/small_string.h"

enum KLayerState : int {
  kViewAndEdit = 0,
  kViewNotEdit = 1,
  kNotViewNotEdit = 2,   // not drawn
};

// 40 bytes from a pool: a drawing may create a layer for every few bytes.
// Embellishment() and TextProperties() come from KPropertyHolder.
struct KLayer : KPropertyHolder {
  KSmallString name;     // the path it was created with
  int state = kViewAndEdit;

  QUARVEL_POOLED(KLayer)

private:
  friend class KOnes;
  friend class KLayerRange;
  KLayer* nextOwned_ = nullptr;  // the next layer its document created
};
