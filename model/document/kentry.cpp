#include "model/document/kentry.h"

#include "model/document/klayer.h"

KEmbellish* KEntry::EffectiveEmbellishment() const {
  if (const auto& own = Embellishment()) return own.get();
  return layer ? layer->Embellishment().get() : nullptr;
}

KTextProperties* KEntry::EffectiveTextProperties() const {
  if (const auto& own = TextProperties()) return own.get();
  return layer ? layer->TextProperties().get() : nullptr;
}
