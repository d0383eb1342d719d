// Sections of the samples: the viewer's section view offscreen, and
// "quarvel segy --stats / --section" run as a program.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <memory>
#include <string>

#include "qt/picture/kpicture_view.h"
#include "tests/qt/widget_input.h"
#include "tests/support/file_bytes.h"
#include "tests/support/result_checks.h"
#include "tests/support/segy_data.h"
#include "tests/support/temp_dir.h"
#include "window/segy/segy_section_picture.h"

namespace {

using ::testing::HasSubstr;
using ::testing::Not;

TEST(SegySection, ViewShowsTheFirstInlineAndZoomsAboutTheCursor) {
  KResultWith<std::unique_ptr<KSegySectionPicture>> picture = OpenSegySectionPicture(GeneratedSegy("be_ibm.sgy"));
  ASSERT_TRUE(picture) << picture.message();
  EXPECT_EQ(picture.value()->section().labels, (std::vector<std::int64_t>{20, 21, 22}));  // crosslines of inline 10
  KPictureView view;
  view.resize(700, 500);
  view.SetPicture(std::move(picture.value()));
  view.show();
  QApplication::processEvents();
  // The last sample of the first trace: 7, a third of the clip (the 99th
  // percentile of 30 magnitudes is the largest, 21), on the grey scale.
  const KViewTransform& v = view.View();
  double column, row;
  v.ToDevice(0.5, -9 * 4.0, column, row);
  const QImage before = view.grab().toImage();
  EXPECT_EQ(before.pixelColor(static_cast<int>(column), static_cast<int>(row)), QColor(85, 85, 85));
  ExpectWheelZoomsAbout(view, v, {300, 250});
  EXPECT_NE(view.grab().toImage(), before);
}

TEST(SegySection, StatsInJsonAndText) {
  const std::string path = GeneratedSegy("be_ibm.sgy");
  const ProgramRun json = RunQuarvel({"segy", "--json", "--stats", "--stride", "4", path});
  ASSERT_EQ(json.status, 0) << json.err;
  EXPECT_THAT(json.out, HasSubstr(", \"stats\": {\"min\": -10, \"max\": 35, \"rms\": 13.7"));
  EXPECT_THAT(json.out, HasSubstr(", \"zero_share\": 0.1, \"nonfinite_share\": 0, \"traces_read\": 2}}\n"));
  const ProgramRun text = RunQuarvel({"segy", "--stats", GeneratedSegy("cut_in_last_samples.sgy")});
  EXPECT_TRUE(ExitedWith(text, 0, {"the last trace read lacks 5 samples"}));
  EXPECT_THAT(text.out, HasSubstr("  stats         6 traces (every 1), 55 samples\n"));
}

TEST(SegySection, PicturesInEveryTypeWithALosslessImage) {
  const TempDir dir;
  const std::string path = GeneratedSegy("be_ibm.sgy");
  for (const char* type : {"png", "svg", "pdf"}) {
    const std::string out = dir.File(std::string("s.") + type);
    const ProgramRun r = RunQuarvel({"segy", "--section", out, "--traces", "2:5", "--clip", "90", "--scale", "rwb",
                                     "--size", "640x400", path});
    ASSERT_EQ(r.status, 0) << type << r.err;
    const std::string bytes = ReadFileBytes(out);
    if (std::string(type) == "png") { EXPECT_EQ(QImage(QString::fromStdString(out)).size(), QSize(640, 400)); }
    if (std::string(type) == "svg") { EXPECT_THAT(bytes, HasSubstr("data:image/png;base64,")); }
    if (std::string(type) == "pdf") { EXPECT_THAT(bytes, Not(HasSubstr("DCTDecode"))); }
  }
  EXPECT_TRUE(ExitedWith(RunQuarvel({"segy", "--preset", "3d", "--section", dir.File("i.png"), "--inline", "99", path}),
                         1, {"no trace has inline 99"}));
  EXPECT_TRUE(ExitedWith(RunQuarvel({"segy", "--stride", "2", path}), 2, {"--stride goes with --stats"}));
  EXPECT_TRUE(ExitedWith(RunQuarvel({"segy", "--section", "a.png", "--traces", "3:1", path}), 2, {"A <= B"}));
  EXPECT_TRUE(ExitedWith(RunQuarvel({"segy", "--section", "a.png", "--traces", "1:2", "--inline", "3", path}), 2,
                         {"give one"}));
  EXPECT_TRUE(ExitedWith(RunQuarvel({"segy", "--clip", "0", "--section", "a.png", path}), 2, {"--clip"}));
  EXPECT_TRUE(ExitedWith(RunQuarvel({"segy", "--depth", "km", "--section", "a.png", path}), 2, {"m or ft"}));
  EXPECT_TRUE(ExitedWith(RunQuarvel({"segy", "--depth", "m", path}), 2, {"go with --section"}));
}

}  // namespace
