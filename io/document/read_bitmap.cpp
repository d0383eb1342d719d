// BMPIN: "file mode" on the keyword's line, then one corner per line.
#include <cstdint>
#include <cstdio>

#include "model/document/elements.h"
#include "io/document/decoded_files.h"
#include "io/document/lexer.h"
#include "io/document/reader_util.h"
#include "io/document/record_readers.h"
#include "platform/device/kimage.h"

std::unique_ptr<KBmpIn> ReadBitmap(KReadContext& ctx) {
  auto bitmap = std::make_unique<KBmpIn>();
  const std::int64_t start = ctx.src.Position();
  std::string line;
  if (!ReadLine(ctx.src, line)) {
    ctx.Report("bitmap incomplete", "input ended before its file name");
    return bitmap;
  }
  // A line holds at most kReadBufferSize bytes, so one word always fits.
  char name[kReadBufferSize + 1] = "";
  std::sscanf(line.c_str(), "%s%d", name, &bitmap->mode);
  bitmap->fileName = name;
  // Without a decoder the host does not look at pictures (quarvel info only
  // counts elements); that is no fault of the drawing.
  if (HaveImageDecoder()) {
    KDecodedFiles own;
    KResultWith<KImage> loaded = (ctx.decoded ? *ctx.decoded : own).Image(bitmap->fileName);
    bitmap->image = loaded.value();
    if (!loaded) ctx.ReportAt(start, KDecodedFiles::IssueWhat(loaded, "bitmap not loaded"), loaded.message());
  }

  double x2 = 0.0, y2 = 0.0;
  int second = 0;
  if (ReadLine(ctx.src, line)) {
    ScanPair(line, bitmap->x, bitmap->y);
    if (ReadLine(ctx.src, line)) second = ScanPair(line, x2, y2);
  }
  // The size is only known where the second corner gave a value.
  if (second >= 1) bitmap->width = x2 - bitmap->x;
  if (second >= 2) bitmap->height = y2 - bitmap->y;
  if (second < 2) ctx.Report("bitmap incomplete", "its second corner is missing or does not convert");
  return bitmap;
}
