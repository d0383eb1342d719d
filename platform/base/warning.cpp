#include "platform/base/warning.h"

std::string WarningText(const KWarning& w, std::int64_t line, std::int64_t column) {
  std::string text;
  if (!w.file.empty()) text += w.file + ": ";
  if (w.offset && line > 0 && column > 0)
    text += "line " + std::to_string(line) + ", column " + std::to_string(column) + " (byte " +
            std::to_string(*w.offset) + "): ";
  else if (w.offset)
    text += "byte " + std::to_string(*w.offset) + ": ";
  if (!w.what.empty()) text += w.what + ": ";
  return text + w.message;
}
