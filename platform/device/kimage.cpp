#include "platform/device/kimage.h"

#include <sys/stat.h>

#include <cerrno>
#include <utility>

namespace {
KImageDecoder& Decoder() {
  static KImageDecoder decoder;
  return decoder;
}
}  // namespace

void SetImageDecoder(KImageDecoder decoder) { Decoder() = std::move(decoder); }

bool HaveImageDecoder() { return static_cast<bool>(Decoder()); }

KResultWith<KImage> DecodeImage(const std::string& path) {
  if (!Decoder()) return KResult(KStatus::kRefused, "cannot decode '" + path + "': no image decoder is installed");
  // stat follows links without opening anything.
  struct stat st {};
  if (stat(path.c_str(), &st) != 0) return ErrnoResult(KStatus::kCannotOpen, "cannot open", path, errno);
  if (!S_ISREG(st.st_mode)) return KResult(KStatus::kCannotOpen, "cannot open '" + path + "': not a regular file");
  // An empty file holds no picture; and files of the kernel's that show as
  // empty (/proc/kmsg) would keep a decoder waiting for data for ever.
  if (st.st_size == 0) return KResult(KStatus::kBadInput, "cannot decode '" + path + "': the file is empty");
  KResultWith<KImage> decoded = Decoder()(path);
  if (!decoded) return KResult(decoded);   // whatever the decoder left behind is dropped
  return decoded;
}
