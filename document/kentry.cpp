#include "document/kentry.h"

#include "document/klayer.h"

KEmbellish* KEntry::EffectiveEmbellishment() const {
  if (embellishment) return embellishment.get();
  return layer ? layer->embellishment.get() : nullptr;
}

KTextProperties* KEntry::EffectiveTextProperties() const {
  if (textProperties) return textProperties.get();
  return layer ? layer->textProperties.get() : nullptr;
}
