#pragma once
// Decoded pixels in a toolkit-free form, and the hook through which the
// platform layer decodes image files for the core.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

struct KImage {
  int width = 0;
  int height = 0;
  // Row-major, top row first, 0xAARRGGBB. Opaque images have alpha 0xFF.
  std::vector<std::uint32_t> pixels;
  bool hasAlpha = false;          // per-pixel alpha to be honoured when drawing
  bool empty() const { return width <= 0 || height <= 0; }
};

// Decodes the named file into image; returns false (image left empty) when it
// cannot. Installed by the platform layer; without one, nothing decodes.
using KImageDecoder = std::function<bool(const std::string& path, KImage& image)>;
void SetImageDecoder(KImageDecoder decoder);
bool DecodeImage(const std::string& path, KImage& image);
