#include <gtest/gtest.h>

#include <QColor>
#include <QImage>

#include <cstdint>
#include <string>
#include <vector>

#include "model/document/elements.h"
#include "io/document/record_readers.h"
#include "qt/platform/qt_platform.h"
#include "tests/support/reading.h"
#include "tests/support/temp_dir.h"

namespace {

class LoadImageTest : public ::testing::Test {
protected:
  void SetUp() override { InstallQtPlatform(); }
  std::string Save(const QImage& image, const char* name) {
    const std::string path = dir_.File(name);
    EXPECT_TRUE(image.save(QString::fromStdString(path)));
    return path;
  }
  TempDir dir_;
};

TEST_F(LoadImageTest, AlphaImageKeepsPerPixelAlpha) {
  QImage image(4, 3, QImage::Format_ARGB32);
  image.fill(QColor(10, 20, 30, 255));
  image.setPixelColor(1, 0, QColor(255, 0, 0, 0));    // fully transparent
  image.setPixelColor(3, 2, QColor(0, 0, 255, 255));
  KBmpIn element;
  element.fileName = Save(image, "alpha.png");
  ASSERT_TRUE(LoadImage(element).ok());
  ASSERT_FALSE(element.image.empty());
  EXPECT_EQ(element.image.width, 4);
  EXPECT_EQ(element.image.height, 3);
  EXPECT_TRUE(element.image.hasAlpha);
  ASSERT_EQ(element.image.pixels.size(), 12u);
  EXPECT_EQ(element.image.pixels[0], 0xFF0A141Eu);
  EXPECT_EQ(element.image.pixels[1] >> 24, 0u);          // row 0, column 1
  EXPECT_EQ(element.image.pixels[2 * 4 + 3], 0xFF0000FFu);  // top row first
}

TEST_F(LoadImageTest, TwentyFourBitImagesAreOpaque) {
  QImage image(5, 2, QImage::Format_RGB888);
  image.fill(QColor(200, 100, 50));
  KBmpIn png;
  png.fileName = Save(image, "rgb.png");
  ASSERT_TRUE(LoadImage(png).ok());
  EXPECT_EQ(png.image.width, 5);
  EXPECT_EQ(png.image.height, 2);
  EXPECT_FALSE(png.image.hasAlpha);
  for (std::uint32_t p : png.image.pixels) EXPECT_EQ(p, 0xFFC86432u);

  KBmpIn bmp;
  bmp.fileName = Save(image, "rgb.bmp");
  ASSERT_TRUE(LoadImage(bmp).ok());
  EXPECT_EQ(bmp.image.width, 5);
  EXPECT_FALSE(bmp.image.hasAlpha);
}

// A palette with a transparent entry is not a 32-bit picture with alpha: it
// is drawn opaque, its transparent colour included, row by row as stored.
TEST_F(LoadImageTest, PalettedImageWithATransparentEntryComesOutOpaque) {
  QImage image(3, 2, QImage::Format_Indexed8);
  image.setColorTable({qRgba(1, 2, 3, 0), qRgba(200, 100, 50, 255)});
  image.fill(0);
  image.setPixel(2, 0, 1);
  image.setPixel(0, 1, 1);
  KBmpIn element;
  element.fileName = Save(image, "indexed.png");
  ASSERT_TRUE(LoadImage(element).ok());
  EXPECT_FALSE(element.image.hasAlpha);
  const std::vector<std::uint32_t> expected = {0xFF010203u, 0xFF010203u, 0xFFC86432u,
                                               0xFFC86432u, 0xFF010203u, 0xFF010203u};
  EXPECT_EQ(element.image.pixels, expected);
}

TEST_F(LoadImageTest, MissingOrUndecodableFileLeavesTheImageEmptyAndSaysWhy) {
  KBmpIn missing;
  missing.fileName = dir_.File("none.png");
  missing.image.width = 7;  // whatever it held before is replaced
  const KResult gone = LoadImage(missing);
  EXPECT_EQ(gone.status(), KStatus::kCannotOpen);
  EXPECT_EQ(gone.message(), "cannot open '" + missing.fileName + "': No such file or directory");
  EXPECT_TRUE(missing.image.empty());
  EXPECT_TRUE(missing.image.pixels.empty());

  KBmpIn garbage;
  garbage.fileName = dir_.Write("garbage.png", "\x89PNG\r\n\x1a\n but not really");
  const KResult bad = LoadImage(garbage);
  EXPECT_EQ(bad.status(), KStatus::kBadInput);
  EXPECT_EQ(bad.message().rfind("cannot decode '" + garbage.fileName + "': ", 0), 0u) << bad.message();
  EXPECT_GT(bad.message().size(), ("cannot decode '" + garbage.fileName + "': ").size());   // and why
  EXPECT_TRUE(garbage.image.empty());
}

// In a drawing the element stays, and the reason is a read issue at it.
TEST_F(LoadImageTest, AnUndecodablePictureIsAReadIssueOfTheDrawing) {
  const std::string garbage = dir_.Write("garbage.png", "not a picture");
  const auto doc = ReadDrawing("PLINE\n0,0\n1,1\n\nBMPIN " + garbage + " 0\n0,0\n10,10\n");
  EXPECT_EQ(doc->entries.size(), 2u);
  ASSERT_EQ(doc->ReadIssues().size(), 1u);
  const KReadIssue& issue = doc->ReadIssues()[0];
  EXPECT_EQ(issue.what, "bitmap not loaded");
  EXPECT_EQ(issue.offset, 21);   // just after "BMPIN "
  EXPECT_EQ(issue.why.rfind("cannot decode '" + garbage + "': ", 0), 0u) << issue.why;
}

}  // namespace
