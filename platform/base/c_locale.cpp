#include "platform/base/c_locale.h"

namespace {
locale_t CLocale() {
  // Created once, never freed: it lives as long as the process.
  static locale_t c = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(0));
  return c;
}
}  // namespace

KCLocaleScope::KCLocaleScope() : previous_(uselocale(CLocale())) {}

KCLocaleScope::~KCLocaleScope() { uselocale(previous_); }
