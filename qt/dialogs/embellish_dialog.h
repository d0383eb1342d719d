#pragma once
// The "Embellish" dialog a class's item menu opens: the buttons of the
// decorations a curve can carry and the list of those chosen. It changes
// nothing yet; OK and Cancel both just close it.
#include <QDialog>

class QListWidget;

class CEmbellishCurveDlg : public QDialog {
public:
  explicit CEmbellishCurveDlg(QWidget* parent = nullptr);

  QListWidget& List() { return *list_; }

private:
  QListWidget* list_ = nullptr;
};
