#pragma once
// Which view states collect curves and which show a rubber band.
#include "platform/resources/menus.h"

inline bool IsCurveState(int state) {
  return state == kCmdCurve || state == kCmdCurveModify || state == kCmdCurveClick ||
         state == kCmdCurveModifyClick;
}
// Curves drawn by dragging (the others are drawn by clicks).
inline bool IsDragCurveState(int state) { return state == kCmdCurve || state == kCmdCurveModify; }
inline bool HasLineBand(int state) {
  return state == kCmdPan || state == kCmdDeleteCurveRange || state == kCmdCurveClick ||
         state == kCmdCurveModifyClick || state == kCmdMeasure;
}
inline bool HasRectBand(int state) { return state == kCmdWindow || state == kCmdRectangle; }
