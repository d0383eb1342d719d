#pragma once
// The progress window: a blue disc that a red pie fills clockwise from
// twelve o'clock, with the percentage in the middle. It repaints itself
// synchronously from SetPos, so it stays current while the caller's work
// holds the event loop.
#include <QString>
#include <QWidget>
#include <cstdint>

#include "platform/base/progress.h"

class KProgress : public QWidget, public KProgressSink {
public:
  explicit KProgress(QWidget* parent = nullptr);

  // Drawn above the percentage; empty by default.
  void SetLabel(const QString& label);

  void SetTotal(std::int64_t total) override;
  // pos in the units of SetTotal. A total of 0 (or less) counts as work
  // already done: nothing to wait for, so the disc shows full.
  void SetPos(std::int64_t pos) override;
  // Redraws only when f grew by at least 0.001 since the last redraw (a
  // smaller f restarts the count from 0); f is clamped to [0, 1]. True when
  // it redrew.
  bool SetFraction(double f);
  // The fraction drawn now.
  double Shown() const { return shown_; }

protected:
  void paintEvent(QPaintEvent* event) override;

private:
  QString label_;
  std::int64_t total_ = 0;
  double shown_ = 0;
};
