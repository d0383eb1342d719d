#pragma once
// PNG encoding of rendered pictures. Qt's own writer spends most of a large
// render's time compressing; pictures are mostly flat colour and lines, which
// the fastest zlib level with no row filter packs quickly and well.
#include <QImage>
#include <string>

// zlib levels: 0 stores, 1 (the default) is fastest, 9 smallest.
constexpr int kPngFastest = 1;
constexpr int kPngSmallest = 9;

// Encodes image as PNG into out (replacing it). Opaque pictures (formats
// without alpha) are written as 8-bit RGB, others as RGBA. Returns false,
// with out unspecified, when the image is empty or encoding fails.
bool EncodePng(const QImage& image, int level, std::string& out);
