// The one picture exporter: what its PNG encoder says when it cannot
// encode, and paths that are bytes rather than text.
#include <gtest/gtest.h>

#include <QImage>

#include "platform/device/kdevice.h"
#include "qt/export/picture_export.h"
#include "tests/support/file_bytes.h"
#include "tests/support/temp_dir.h"

namespace {

TEST(PictureExport, PngEncoderGivesItsReason) {
  const KResultWith<std::string> empty = EncodePng(QImage(), kPngFastest);
  EXPECT_EQ(empty.status(), KStatus::kFailed);
  EXPECT_NE(empty.message().find("empty picture"), std::string::npos) << empty.message();
  QImage blue(3, 2, QImage::Format_RGB32);
  blue.fill(qRgb(0, 0, 255));
  const KResultWith<std::string> png = EncodePng(blue, kPngSmallest);
  ASSERT_TRUE(png) << png.message();
  EXPECT_EQ(QImage::fromData(QByteArray::fromStdString(png.value()), "PNG").convertToFormat(blue.format()), blue);
}

// A command line's file name need not be valid text: it is written to as
// given, not as a decoded and re-encoded name.
TEST(PictureExport, PathBytesNameTheFileAsGiven) {
  TempDir dir;
  const std::string name = "map\xff.png";
  const auto nothing = [](KDevice&) {};
  ASSERT_TRUE(ExportPainting(nothing, QSize(4, 3), dir.File(name), QColor(10, 20, 30)));
  EXPECT_EQ(dir.Names(), std::vector<std::string>{name});
  const QImage image = QImage::fromData(QByteArray::fromStdString(ReadFileBytes(dir.File(name))));
  EXPECT_EQ(image.size(), QSize(4, 3));
  EXPECT_EQ(image.pixel(3, 2), qRgb(10, 20, 30));

  const KResult failed = ExportPainting(nothing, QSize(4, 3), dir.File("no/dir/a.svg"));
  EXPECT_EQ(failed.status(), KStatus::kCannotWrite);
  EXPECT_NE(failed.message().find("no/dir/a.svg"), std::string::npos) << failed.message();
}

}  // namespace
