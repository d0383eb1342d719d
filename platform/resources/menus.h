#pragma once
// The context menus of the drawing window as data: command ids, item texts
// with their & mnemonics, and popups, in menu order. The core dispatches on
// the ids; a toolkit builds its menus from the same table.
#include <string>
#include <vector>

// Command ids. A view state is always the id of the command that chose it.
enum KMenuCommand : int {
  kCmdNone = 0,
  kCmdPan = 32772,
  kCmdEnlarge = 32773,
  kCmdReduce = 32774,
  kCmdExtend = 32775,
  kCmdWindow = 32776,
  kCmdClass = 32777,
  kCmdMoveZoom = 32784,
  kCmdMovePan = 32785,
  kCmdSinglePoint = 32794,
  kCmdRectangle = 32795,
  kCmdRange = 32796,
  kCmdClick = 32797,
  kCmdMergeCurves = 32799,
  kCmdCurve = 32801,
  kCmdCurveModify = 32802,
  kCmdDeleteCurveRange = 32804,
  kCmdCurveClick = 32805,
  kCmdCurveModifyClick = 32806,
  kCmdNextCurve = 32807,
  kCmdEndDrawing = 32808,
  kCmdCancel = 32810,
  kCmdOpen = 32813,
  // Beyond the original menus: clicks measure distances, lengths and areas.
  kCmdMeasure = 32820,
};

// An item (id != 0) or a popup (id 0, with items).
struct KMenuNode {
  int id = 0;
  std::string text;
  std::vector<KMenuNode> items;
  bool IsPopup() const { return id == 0; }
};

constexpr int kMenuContext = 1000;  // "RMenu"
constexpr int kMenuCurve = 1014;    // "curve"

// The first (only) submenu of menu resource id, as the handlers show it;
// an empty popup for an unknown id.
const KMenuNode& MenuPopup(int resourceId);
// The text of the command in either menu ("" when unknown).
std::string CommandText(int id);
