// The editor's Export dialog gives the size, resolution and decorations it
// shows, and a plot-ready export leaves the window's view as it was.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QDoubleSpinBox>
#include <QImage>
#include <QSpinBox>

#include "qt/dialogs/export_dialog.h"
#include "qt/export/plot_export.h"
#include "tests/support/temp_dir.h"
#include "tests/support/view_over.h"
#include "window/editor/quarvel_window.h"

namespace {

TEST(ExportDialog, ChoiceFollowsTheFieldsAndTheExportKeepsTheView) {
  KExportDialog dialog(QSize(640, 480));
  EXPECT_TRUE(dialog.Choice().AsShown());
  EXPECT_EQ(dialog.Choice().size, QSize(640, 480));
  dialog.Width().setValue(300);
  dialog.Height().setValue(99999);  // held to the largest side
  dialog.Resolution().setValue(300);
  dialog.MarginPercent().setValue(5);
  dialog.Ticks().setChecked(true);
  dialog.Legend().setChecked(true);
  const KExportChoice c = dialog.Choice();
  EXPECT_EQ(c.size, QSize(300, 16384));
  EXPECT_EQ(c.dotsPerInch, 300);
  EXPECT_DOUBLE_EQ(c.plot.margin, 0.05);
  EXPECT_TRUE(c.plot.ticks && c.legend && !c.plot.scaleBar && !c.plot.northArrow);
  EXPECT_FALSE(c.AsShown());

  QuarvelWindow window;
  ASSERT_TRUE(window.Open(std::string(QUARVEL_SOURCE_DIR) + "/examples/map.qvd"));
  window.view = ViewOver({400, 300}, 3.0);  // zoomed in somewhere
  window.ViewPart().SetFitted(true);
  const KViewTransform before = window.view;
  TempDir dir;
  ASSERT_TRUE(ExportPlot(window, {400, 300}, dir.File("p.png"), c.plot, c.legend));
  EXPECT_EQ(window.view.left, before.left);
  EXPECT_EQ(window.view.scaleX, before.scaleX);
  EXPECT_TRUE(window.ViewPart().Fitted());
  // The whole 10 x 8 km frame is in the picture, not the zoomed view: its
  // bottom line lies above the tick labels, inside the 300 rows.
  const QImage image(QString::fromStdString(dir.File("p.png")));
  ASSERT_EQ(image.size(), QSize(400, 300));
  int darkRows = 0;
  for (int y = 0; y < 300; ++y) darkRows += (image.pixel(200, y) & 0xFFFFFF) == 0 ? 1 : 0;
  EXPECT_GE(darkRows, 2);
}

}  // namespace
