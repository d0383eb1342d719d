// Loading the picture of a bitmap element.
#include <utility>

#include "model/document/elements.h"
#include "io/document/record_readers.h"
#include "platform/device/kimage.h"

// The name is used as written: a relative name is resolved against the
// current directory, never searched for. Decoding goes through the platform
// layer; without one installed, or when the file is missing or undecodable,
// the image is left empty and the element is kept all the same.
KResult LoadImage(KBmpIn& element) {
  KResultWith<KImage> decoded = DecodeImage(element.fileName);
  element.image = std::move(decoded.value());
  return decoded;
}
