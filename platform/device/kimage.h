#pragma once
// Decoded pixels in a toolkit-free form, and the hook through which the
// platform layer decodes image files for the core.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/base/result.h"
#include "platform/base/shared_vector.h"

struct KImage {
  int width = 0;
  int height = 0;
  // Row-major, top row first, 0xAARRGGBB. Opaque images have alpha 0xFF.
  // Copies of an image share its pixels until one is changed.
  KSharedVector<std::uint32_t> pixels;
  bool hasAlpha = false;          // per-pixel alpha to be honoured when drawing
  bool empty() const { return width <= 0 || height <= 0; }
};

// Decodes the named regular file. On failure the message names the file and
// says why: "cannot decode 'x.png': <the decoder's reason>".
using KImageDecoder = std::function<KResultWith<KImage>(const std::string& path)>;
// Installed by the platform layer; without one, nothing decodes.
void SetImageDecoder(KImageDecoder decoder);
bool HaveImageDecoder();
// The installed decoder's picture of the file at path. Fails, with an empty
// image, with kCannotOpen when the path is missing or not a regular file
// (a FIFO would keep a decoder reading for ever), kRefused when no decoder
// is installed, or as the decoder does.
KResultWith<KImage> DecodeImage(const std::string& path);
