#include "programs/quarvel/picture_size.h"

#include <cstdlib>

bool ParsePictureSize(const std::string& text, QSize& size) {
  char* end = nullptr;
  const long w = std::strtol(text.c_str(), &end, 10);
  if (end == text.c_str() || (*end != 'x' && *end != 'X')) return false;
  const char* rest = end + 1;
  const long h = std::strtol(rest, &end, 10);
  if (end == rest || *end != '\0' || w < 1 || h < 1 || w > kMaxPictureSide || h > kMaxPictureSide) return false;
  size = QSize(static_cast<int>(w), static_cast<int>(h));
  return true;
}

std::string PictureSizeRule() {
  return "--size wants WxH, each side 1 to " + std::to_string(kMaxPictureSide) + " pixels";
}
