#pragma once
// Switches the process to a comma-decimal locale for the scope's lifetime:
// readers and writers must not notice. Tests skip when none is installed.
#include <string>

class CommaLocale {
public:
  CommaLocale();
  ~CommaLocale();
  CommaLocale(const CommaLocale&) = delete;
  CommaLocale& operator=(const CommaLocale&) = delete;
  // True when the locale is in force and really reads "1,5" as 1.5, so a
  // test under it proves something.
  bool active() const { return active_; }

private:
  std::string saved_;
  bool active_ = false;
};
