#include "platform/base/warning.h"

std::string WarningText(const KWarning& w) {
  std::string text;
  if (!w.file.empty()) text += w.file + ": ";
  if (w.offset) text += "byte " + std::to_string(*w.offset) + ": ";
  if (!w.what.empty()) text += w.what + ": ";
  return text + w.message;
}
