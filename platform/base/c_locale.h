#pragma once
// The drawing formats always use '.' as the decimal point. A Qt application
// sets the process locale from the environment, which would make sscanf and
// sprintf read and write "1,5". KCLocaleScope switches the calling thread to
// the C locale for its lifetime, so the C conversions behave exactly as the
// formats expect, whatever the process locale is.
#include <locale.h>

class KCLocaleScope {
public:
  KCLocaleScope();
  ~KCLocaleScope();
  KCLocaleScope(const KCLocaleScope&) = delete;
  KCLocaleScope& operator=(const KCLocaleScope&) = delete;

private:
  locale_t previous_;
};
