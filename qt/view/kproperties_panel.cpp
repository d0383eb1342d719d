#include "qt/view/kproperties_panel.h"

#include <QColorDialog>
#include <QComboBox>
#include <QFormLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <algorithm>

#include "model/document/klayer.h"

namespace {
QString Local(const std::string& text) { return QString::fromLocal8Bit(text.c_str()); }
std::string Local(const QString& text) { return text.toLocal8Bit().toStdString(); }

QString Number(double v) { return QString::number(v, 'g', 12); }
}  // namespace

KPropertiesPanel::KPropertiesPanel(KView* view, QWidget* parent) : QWidget(parent) {
  auto* form = new QFormLayout(this);
  kind_ = new QLabel(this);
  layer_ = new QComboBox(this);
  layer_->setEditable(true);  // a name not in the list makes a new layer
  layer_->setToolTip("The layer of the entry; type a new name to make a new layer");
  name_ = new QLineEdit(this);
  colourButton_ = new QPushButton(this);
  connect(colourButton_, &QPushButton::clicked, this, [this] { ChooseColour(); });
  width_ = new QLineEdit(this);
  code_ = new QLineEdit(this);
  code_->setValidator(new QIntValidator(this));
  z_ = new QLineEdit(this);
  z_->setToolTip("One z for the whole curve, or one z for each vertex separated by blanks");
  editable_ = new QLabel(this);
  message_ = new QLabel(this);
  message_->setWordWrap(true);
  apply_ = new QPushButton("&Apply", this);
  connect(apply_, &QPushButton::clicked, this, [this] { Apply(); });
  form->addRow("Kind", kind_);
  form->addRow("Layer", layer_);
  form->addRow("Name", name_);
  form->addRow("Colour", colourButton_);
  form->addRow("Width", width_);
  form->addRow("Code", code_);
  form->addRow("z", z_);
  form->addRow("Editable", editable_);
  form->addRow(apply_);
  form->addRow(message_);
  SetView(view);
}

void KPropertiesPanel::SetView(KView* view) {
  view_ = view;
  shown_ = nullptr;
  Sync();
}

KEntry* KPropertiesPanel::Entry() const {
  if (!view_) return nullptr;
  const KEntry* picked = view_->Window().PickedEntry();
  for (const auto& entry : view_->Window().entries)
    if (entry.get() == picked) return entry.get();
  return nullptr;
}

QString KPropertiesPanel::ZText(const std::vector<double>& z) {
  if (z.empty()) return "";
  if (std::all_of(z.begin(), z.end(), [&](double v) { return v == z.front(); })) return Number(z.front());
  QStringList values;
  for (double v : z) values << Number(v);
  return values.join(' ');
}

bool KPropertiesPanel::ParseZ(const QString& text, std::vector<double>& z) {
  z.clear();
  for (const QString& word : text.split(QRegularExpression("[\\s,;]+"), Qt::SkipEmptyParts)) {
    bool ok = false;
    z.push_back(word.toDouble(&ok));
    if (!ok) return false;
  }
  return !z.empty();
}

void KPropertiesPanel::SetColour(const QColor& colour) {
  colour_ = colour;
  colourButton_->setText(colour.name());
  colourButton_->setStyleSheet(QString("background-color: %1; color: %2").arg(colour.name(),
                                                                               colour.lightness() < 128 ? "white" : "black"));
}

void KPropertiesPanel::ChooseColour() {
  const QColor chosen = QColorDialog::getColor(colour_, this, "Colour");
  if (chosen.isValid()) SetColour(chosen);
}

void KPropertiesPanel::Sync() {
  const KEntry* entry = Entry();
  // Moving the view must not wipe fields being edited.
  if (entry && entry == shown_ && PropertiesOf(*entry) == was_) return;
  shown_ = entry;
  message_->clear();
  const bool any = entry != nullptr;
  for (QWidget* w : {static_cast<QWidget*>(layer_), static_cast<QWidget*>(name_), static_cast<QWidget*>(colourButton_),
                     static_cast<QWidget*>(width_), static_cast<QWidget*>(code_), static_cast<QWidget*>(z_),
                     static_cast<QWidget*>(apply_)})
    w->setEnabled(any);
  if (!entry) {
    was_ = {};
    kind_->setText("Nothing picked (View > Click, then click an entry)");
    for (QLineEdit* e : {name_, width_, code_, z_}) e->clear();
    layer_->clear();
    editable_->clear();
    return;
  }
  was_ = PropertiesOf(*entry);
  kind_->setText(Local(was_.kind));
  layer_->clear();
  view_->Window().layers.EnumeratePaths("", [&](const std::string& path, KLayer*) { layer_->addItem(Local(path)); });
  layer_->setCurrentText(Local(was_.layer));
  layer_->setEnabled(was_.movable);
  name_->setText(Local(was_.name));
  name_->setEnabled(was_.hasName);
  SetColour(QColor(was_.red, was_.green, was_.blue));
  width_->setText(was_.hasWidthAndCode ? Number(was_.width) : "");
  code_->setText(was_.hasWidthAndCode ? QString::number(was_.code) : "");
  width_->setEnabled(was_.hasWidthAndCode);
  code_->setEnabled(was_.hasWidthAndCode);
  z_->setText(ZText(was_.z));
  z_->setEnabled(was_.hasZ);
  editable_->setText(was_.editable ? "yes" : "no: its layer is not in view and edit");
}

bool KPropertiesPanel::Apply() {
  KEntry* entry = Entry();
  if (!entry) {
    message_->setText("Nothing picked");
    return false;
  }
  // Only what the user changed goes into the edit.
  KEntryEdit edit;
  if (colour_ != QColor(was_.red, was_.green, was_.blue)) {
    edit.red = colour_.red();
    edit.green = colour_.green();
    edit.blue = colour_.blue();
  }
  if (was_.hasName && Local(name_->text()) != was_.name) edit.name = Local(name_->text());
  if (was_.movable && Local(layer_->currentText().trimmed()) != was_.layer)
    edit.layer = Local(layer_->currentText().trimmed());
  if (was_.hasWidthAndCode) {
    bool ok = false;
    const double width = width_->text().toDouble(&ok);
    if (!ok) return message_->setText("The width must be a number"), false;
    if (width != was_.width) edit.width = width;
    const int code = code_->text().toInt(&ok);
    if (!ok) return message_->setText("The code must be a whole number"), false;
    if (code != was_.code) edit.code = code;
  }
  if (was_.hasZ && z_->text() != ZText(was_.z)) {
    std::vector<double> z;
    if (!ParseZ(z_->text(), z)) return message_->setText("z must be numbers"), false;
    edit.z = std::move(z);
  }
  std::string why;
  const bool changed = view_->Window().EditEntry(*entry, edit, why);
  if (!changed) {
    message_->setText(why.empty() ? "Nothing changed" : Local(why));
    return false;
  }
  view_->Refresh();
  Sync();
  message_->setText("Changed (Edit > Undo takes it back)");
  return true;
}
