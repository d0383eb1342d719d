#include "platform/device/kimage.h"

#include <sys/stat.h>

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
  // A FIFO or a device would keep a decoder reading for ever; only regular
  // files hold pictures (stat follows links without opening anything).
  struct stat st {};
  if (stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return false;
  if (!Decoder()(path, image)) {
    image = KImage{};
    return false;
  }
  return true;
}
