#pragma once
// Input to widgets as a user gives it, for the offscreen widget tests: drags,
// the wheel, a dialog's button pressed by its label, and the world point
// under a pixel of a view.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QTest>
#include <QWheelEvent>
#include <vector>

#include "render/view/kview_transform.h"

// The left button pressed at the first point, moved through the others and
// released at the last.
inline void Drag(QWidget& widget, const std::vector<QPoint>& path) {
  QTest::mousePress(&widget, Qt::LeftButton, {}, path.front());
  for (std::size_t i = 1; i < path.size(); ++i) QTest::mouseMove(&widget, path[i]);
  QTest::mouseRelease(&widget, Qt::LeftButton, {}, path.back());
}

// The world point under pixel p.
inline QPointF WorldAt(const KViewTransform& view, QPoint p) { return {view.ToWorldX(p.x()), view.ToWorldY(p.y())}; }

// A wheel notch turned away from the user over widget at cursor zooms view
// in by 1.5, keeping the world point under the cursor where it was.
inline void ExpectWheelZoomsAbout(QWidget& widget, const KViewTransform& view, QPoint cursor) {
  const QPointF before = WorldAt(view, cursor);
  const double scale = view.scaleX;
  QWheelEvent wheel(QPointF(cursor), QPointF(widget.mapToGlobal(cursor)), QPoint(), QPoint(0, 120), Qt::NoButton,
                    Qt::NoModifier, Qt::NoScrollPhase, false);
  QApplication::sendEvent(&widget, &wheel);
  EXPECT_DOUBLE_EQ(view.scaleX, scale / 1.5);
  EXPECT_NEAR(WorldAt(view, cursor).x(), before.x(), 1e-9);
  EXPECT_NEAR(WorldAt(view, cursor).y(), before.y(), 1e-9);
}

// Clicks the button among parent's children labelled label; a failure when
// there is none.
inline ::testing::AssertionResult ClickButton(QWidget& parent, const QString& label) {
  for (QAbstractButton* button : parent.findChildren<QAbstractButton*>())
    if (button->text() == label) {
      button->click();
      return ::testing::AssertionSuccess();
    }
  return ::testing::AssertionFailure() << "no button \"" << label.toStdString() << "\"";
}
