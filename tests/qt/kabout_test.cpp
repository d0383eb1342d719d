#include "qt/view/kabout.h"

#include <QImage>
#include <gtest/gtest.h>

#include "model/document/elements.h"
#include "qt/view/kview.h"

namespace {

QStringList Texts(KAbout& about) {
  QStringList out;
  for (const auto& entry : about.View().Window().entries)
    if (const KText* t = entry->As<KText>()) out << QString::fromStdString(t->text.str());
  return out;
}

TEST(KAbout, RowsAreReplacedAsSingleLinesOfTheCard) {
  KAbout about;
  EXPECT_EQ(Texts(about), QStringList({"Quarvel", "2D drawing window for maps and sections"}));
  const std::size_t entries = about.View().Window().entries.size();

  about.DataUser("Jane\nPLINE\n0,0\n9,9\n");
  about.DataWeb("example.org");
  about.DataWeb("example.net");  // replaces, does not add
  EXPECT_EQ(Texts(about),
            QStringList({"Quarvel", "2D drawing window for maps and sections", "Jane PLINE 0,0 9,9", "example.net"}));
  EXPECT_EQ(about.View().Window().entries.size(), entries + 2);  // the line breaks drew nothing

  about.resize(420, 300);
  about.show();
  const QImage card = about.View().grab().toImage();
  int inked = 0;
  for (int y = 0; y < card.height(); ++y)
    for (int x = 0; x < card.width(); ++x) inked += qGray(card.pixel(x, y)) < 128;
  EXPECT_GT(inked, 100);
}

}  // namespace
