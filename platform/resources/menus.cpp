#include "platform/resources/menus.h"

namespace {

KMenuNode Item(int id, const char* text) { return {id, text, {}}; }
KMenuNode Popup(const char* text, std::vector<KMenuNode> items) { return {0, text, std::move(items)}; }

const KMenuNode& Context() {
  static const KMenuNode menu = Popup("RMenu", {
      Popup("&View", {Item(kCmdPan, "&Pan"), Item(kCmdEnlarge, "&Enlarge"), Item(kCmdReduce, "&Reduce"),
                      Item(kCmdExtend, "&Extend"), Item(kCmdWindow, "&Window"), Item(kCmdMoveZoom, "Move &Zoom"),
                      Item(kCmdMovePan, "&Move Pan"), Item(kCmdClick, "Click"),
                      Item(kCmdMeasure, "Measure")}),
      Popup("&Delete", {Item(kCmdSinglePoint, "&Single point"), Item(kCmdRectangle, "Rect&angle"),
                        Item(kCmdRange, "&Range")}),
      Item(kCmdClass, "&Class"),
      Popup("&File", {Item(kCmdMergeCurves, "Merge Curves"), Item(kCmdOpen, "&Open")}),
      Popup("Draw", {Item(kCmdCurve, "Curve"), Item(kCmdCurveModify, "Curve Modify"),
                     Item(kCmdCurveClick, "Curve click"), Item(kCmdCurveModifyClick, "Curve Modify click")}),
      Popup("Edit", {Item(kCmdDeleteCurveRange, "Delete Curve range")}),
  });
  return menu;
}

const KMenuNode& Curve() {
  static const KMenuNode menu = Popup("curve", {Item(kCmdNextCurve, "next curve"),
                                                Item(kCmdEndDrawing, "end Drawing"), Item(kCmdCancel, "cancel")});
  return menu;
}

const KMenuNode* Find(const KMenuNode& node, int id) {
  if (!node.IsPopup()) return node.id == id ? &node : nullptr;
  for (const KMenuNode& item : node.items)
    if (const KMenuNode* found = Find(item, id)) return found;
  return nullptr;
}

}  // namespace

const KMenuNode& MenuPopup(int resourceId) {
  static const KMenuNode none;
  if (resourceId == kMenuContext) return Context();
  if (resourceId == kMenuCurve) return Curve();
  return none;
}

std::string CommandText(int id) {
  for (const KMenuNode* menu : {&Context(), &Curve()})
    if (const KMenuNode* found = Find(*menu, id)) return found->text;
  return "";
}
