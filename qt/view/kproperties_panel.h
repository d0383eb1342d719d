#pragma once
// The properties panel: what the entry picked in a KView is (kind, layer,
// name, colour, width, code, z, whether it can be edited), with fields to
// change them; Apply makes the changes one undo step and repaints. A
// polyline's z is one value for the whole curve or one value a vertex.
#include <QColor>
#include <QPointer>
#include <QWidget>

#include "qt/view/kview.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

class KPropertiesPanel : public QWidget {
public:
  explicit KPropertiesPanel(KView* view = nullptr, QWidget* parent = nullptr);

  void SetView(KView* view);
  // Shows the view's picked entry (nothing when none).
  void Sync();
  // Applies what the fields hold to the entry; false, with the reason in
  // Message(), when a field does not fit or nothing is picked.
  bool Apply();

  QLabel& Kind() { return *kind_; }
  QComboBox& Layer() { return *layer_; }
  QLineEdit& Name() { return *name_; }
  QLineEdit& Width() { return *width_; }
  QLineEdit& Code() { return *code_; }
  QLineEdit& Z() { return *z_; }
  QLabel& Editable() { return *editable_; }
  QLabel& Message() { return *message_; }
  QColor Colour() const { return colour_; }
  void SetColour(const QColor& colour);

  // z as the field shows it: one value when all vertices agree, else one a
  // vertex, separated by blanks.
  static QString ZText(const std::vector<double>& z);
  // The values of a z field (blanks, commas or semicolons between them);
  // false when one is not a number.
  static bool ParseZ(const QString& text, std::vector<double>& z);

private:
  KEntry* Entry() const;
  void ChooseColour();

  QPointer<KView> view_;
  const KEntry* shown_ = nullptr;
  KEntryProperties was_;  // what the fields were filled with
  QLabel* kind_ = nullptr;
  QComboBox* layer_ = nullptr;
  QLineEdit* name_ = nullptr;
  QPushButton* colourButton_ = nullptr;
  QColor colour_;
  QLineEdit* width_ = nullptr;
  QLineEdit* code_ = nullptr;
  QLineEdit* z_ = nullptr;
  QLabel* editable_ = nullptr;
  QLabel* message_ = nullptr;
  QPushButton* apply_ = nullptr;
};
