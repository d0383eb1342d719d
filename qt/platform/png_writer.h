#pragma once
// PNG encoding of rendered pictures. Qt's own writer spends most of a large
// render's time compressing; pictures are mostly flat colour and lines, which
// the fastest zlib level with no row filter packs quickly and well.
#include <QImage>
#include <string>

#include "platform/base/result.h"

// zlib levels: 0 stores, 1 (the default) is fastest, 9 smallest.
constexpr int kPngFastest = 1;
constexpr int kPngSmallest = 9;

// The PNG of image. Opaque pictures (formats without alpha) are written as
// 8-bit RGB, others as RGBA. Fails (kFailed) when the image is empty or
// libpng cannot encode it, with libpng's reason.
KResultWith<std::string> EncodePng(const QImage& image, int level);
