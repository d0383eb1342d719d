#include "qt/platform/png_writer.h"

#include <png.h>

#include <algorithm>
#include <csetjmp>
#include <vector>

namespace {

void Append(png_structp png, png_bytep data, png_size_t length) {
  auto* out = static_cast<std::string*>(png_get_io_ptr(png));
  out->append(reinterpret_cast<const char*>(data), length);
}

void NoFlush(png_structp) {}

// libpng's error handler must not return: the reason is kept for the
// caller, and the jump lands at Encode's setjmp.
[[noreturn]] void KeepError(png_structp png, png_const_charp message) {
  *static_cast<std::string*>(png_get_error_ptr(png)) = message ? message : "unknown error";
  png_longjmp(png, 1);
}

// libpng reports errors by longjmp; nothing with a destructor may live
// between the setjmp and the calls that can fail, so the rows, out and the
// error's reason are prepared by the caller.
bool Encode(const QImage& image, bool alpha, int level, const std::vector<png_bytep>& rows, std::string& out,
            std::string& error) {
  error = "no memory for the encoder";  // unless libpng names another reason
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, &error, &KeepError, nullptr);
  if (!png) return false;
  png_infop info = png_create_info_struct(png);
  if (!info || setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    return false;
  }
  png_set_write_fn(png, &out, &Append, &NoFlush);
  png_set_IHDR(png, info, static_cast<png_uint_32>(image.width()), static_cast<png_uint_32>(image.height()), 8,
               alpha ? PNG_COLOR_TYPE_RGB_ALPHA : PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_set_compression_level(png, level);
  // Row filters help photographs; on flat colour and lines they cost time
  // and, measured on rendered maps, make files larger at every level.
  png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_FILTER_NONE);
  png_write_info(png, info);
  // Qt's 32-bit pixels are 0xAARRGGBB words: bytes B, G, R, A in memory.
  png_set_bgr(png);
  if (!alpha) png_set_filler(png, 0, PNG_FILLER_AFTER);
  png_write_image(png, const_cast<png_bytepp>(rows.data()));
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return true;
}

}  // namespace

KResultWith<std::string> EncodePng(const QImage& image, int level) {
  if (image.isNull()) return KResult(KStatus::kFailed, "cannot encode an empty picture as PNG");
  static_assert(Q_BYTE_ORDER == Q_LITTLE_ENDIAN, "pixels are read as B, G, R, A bytes");
  const bool alpha = image.hasAlphaChannel();
  // Opaque pictures are written from their own rows; others unpremultiplied.
  const QImage pixels = image.convertToFormat(alpha ? QImage::Format_ARGB32 : QImage::Format_RGB32);
  std::vector<png_bytep> rows(static_cast<std::size_t>(pixels.height()));
  for (int y = 0; y < pixels.height(); ++y) rows[static_cast<std::size_t>(y)] = const_cast<png_bytep>(pixels.constScanLine(y));
  std::string out, error;
  if (!Encode(pixels, alpha, std::clamp(level, 0, kPngSmallest), rows, out, error))
    return KResult(KStatus::kFailed, "cannot encode the picture as PNG: " + error);
  return out;
}
