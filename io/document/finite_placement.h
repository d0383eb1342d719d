#pragma once
// Whether an element read from a drawing has a place in the picture: every
// coordinate, size and angle a finite number. A value at infinity (written
// 1e999, or corners too far apart for their difference) would make the
// drawing's extent or the element's box unusable; the reader reports such an
// element instead of keeping it.
#include "model/document/elements.h"

bool HasFinitePlacement(const KPointText& point);
bool HasFinitePlacement(const KInsert& insert);
bool HasFinitePlacement(const KText& text);
bool HasFinitePlacement(const KBmpIn& picture);   // also grids
bool HasFinitePlacement(const KLogo& logo);
