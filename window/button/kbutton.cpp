#include "window/button/kbutton.h"

#include <memory>

#include "model/classes/button_script.h"
#include "model/document/elements.h"
#include "model/document/klayer.h"
#include "model/document/ktext_properties.h"

namespace {

void SetMarkWidth(KLayer* layer, double width) {
  if (layer && layer->TextProperties()) layer->TextProperties()->markWidth = width;
}

}  // namespace

KButton::KButton() {
  OnOpenDocumentMem(charFileButton);
  SelectLayer("window\\button");
  buttonLayer = CurrentLayer();
  SelectLayer("window\\edit");
  editLayer = CurrentLayer();
  SelectLayer("window\\play");
  playLayer = CurrentLayer();
  SetMarkWidth(buttonLayer, 7.0);
  SetMarkWidth(playLayer, 7.0);
  SetMarkWidth(editLayer, 20.0);
}

KButton::~KButton() = default;

void KButton::Initial(double a, double b) {
  SetMarkWidth(buttonLayer, a);
  SetMarkWidth(playLayer, a);
  SetMarkWidth(editLayer, b);
  labelColumn = 0;
  valueColumn = a + 0.1;
}

void KButton::AddPoint(const std::string& text, int style, int row) {
  KLayer* layer;
  double x;
  switch (style) {
    case 1: layer = buttonLayer; x = labelColumn; break;
    case 2: layer = editLayer; x = valueColumn; break;
    case 3: layer = playLayer; x = labelColumn; break;
    default: return;
  }
  SetCurrentLayer(layer);
  AddPoint(text, style, x, static_cast<double>(-row) * 1.1);
}

void KButton::AddPoint(const std::string& text, int, double x, double y) {
  auto point = std::make_unique<KPointText>();
  point->x = x;
  point->y = y;
  point->label = text;
  AddEntry(kKindPoint, std::move(point));
}

const char* KButton::GetPoint(int index) const {
  if (index < 0 || static_cast<std::size_t>(index) >= entries.size()) return nullptr;
  const KPointText* point = entries[static_cast<std::size_t>(index)]->As<KPointText>();
  return point && entries[static_cast<std::size_t>(index)]->kind == kKindPoint ? point->label.c_str() : nullptr;
}

void KButton::SetPoint(int index, const std::string& text) {
  if (index < 0 || static_cast<std::size_t>(index) >= entries.size()) return;
  KEntry& entry = *entries[static_cast<std::size_t>(index)];
  if (entry.kind != kKindPoint) return;
  if (KPointText* point = entry.As<KPointText>()) point->label = text;
}

int KButton::CellOfPick(int pick) const {
  const int count = static_cast<int>(entries.size());
  return pick >= 0 && pick < count ? count - 1 - pick : -1;
}

int KButton::CellAt(double px, double py) const { return CellOfPick(Pick(px, py)); }
