#pragma once
// A push button that shows the emblem, centred, at 30 pixels a unit.
#include <QPushButton>

class CButtonSolvane : public QPushButton {
public:
  explicit CButtonSolvane(QWidget* parent = nullptr);
  ~CButtonSolvane() override;

  double scaleX = 30.0;
  double scaleY = 30.0;

  virtual void DisableButton() { setEnabled(false); }
  virtual void EnableButton() { setEnabled(true); }

protected:
  void paintEvent(QPaintEvent* event) override;
};
