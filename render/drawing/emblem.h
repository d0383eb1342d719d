#pragma once
// The module's emblem: a green panel with a rainbow of spokes under a
// two-turn petal outline and a damped wave across the middle. Drawn by the
// LOGO element and by the emblem button.
#include "platform/device/kdevice.h"

// Paints the emblem centred at device pixel (cx, cy) with sx, sy pixels per
// emblem unit (the emblem spans about 1.5 units each way). Leaves a solid
// two-pixel pen selected. Pieces lying beyond the device's coordinate limit
// are clipped before they become integers, so any scale is safe.
void DrawEmblem(KDevice& device, int cx, int cy, double sx, double sy);
