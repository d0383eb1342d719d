#include "platform/kimage.h"

#include <utility>

namespace {
KImageDecoder& Decoder() {
  static KImageDecoder decoder;
  return decoder;
}
}  // namespace

void SetImageDecoder(KImageDecoder decoder) { Decoder() = std::move(decoder); }

bool DecodeImage(const std::string& path, KImage& image) {
  image = KImage{};
  if (!Decoder()) return false;
  if (!Decoder()(path, image)) {
    image = KImage{};
    return false;
  }
  return true;
}
