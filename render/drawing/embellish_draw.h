#pragma once
// Drawing of an embellishment's items along one curve.
#include <string>

class KCurve;
class KEmbellish;
struct KLineItem;
struct KNameItem;
class KRenderer;
class KViewTransform;

// Draws every item of the embellishment along the curve, in block order,
// with the renderer's primitives on its device. Item types it does
// not know draw nothing. Whether the plain curve follows (the NODRAW flag)
// is the caller's decision.
//
// Hostile parameters never hang or read outside the curve: mark and label
// items visit at most kMaxEmbellishPositions positions, names at most
// kMaxEmbellishNames copies, and a non-positive step of a block item draws
// nothing.
void DrawAlong(const KEmbellish& embellishment, const KViewTransform& view, const KCurve& curve,
               KRenderer& renderer);

constexpr int kMaxEmbellishPositions = 100000;
constexpr int kMaxEmbellishNames = 1000;

// A label value as the embellishment writes it: value + 5e-121 with the
// given number of decimals, trailing zeros and a trailing point removed.
std::string FormatEmbellishNumber(double value, int decimals);

// The curve stroked with the item's width and dash pattern; nothing for the
// style codes 2081 and 2084. colour is the COLORREF to stroke with.
void DrawLineItem(const KLineItem& item, unsigned colour, const KViewTransform& view, const KCurve& curve,
                  KRenderer& renderer);

// The curve's name written into the line, with line pieces between the
// copies (embellish_name.cpp). A curve without a name gets the item's line.
void DrawNameItem(const KNameItem& item, const KViewTransform& view, const KCurve& curve, KRenderer& renderer);
