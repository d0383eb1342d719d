#pragma once
// Drawing a curve that is not (yet) an entry, as a polyline entry added now
// with the document's current colour, layer and pending properties would be
// drawn: the effective embellishment first, then the curve.
#include <memory>

#include "platform/device/kdevice.h"
#include "render/view/kview_transform.h"

class KCurve;
class KOnes;

void DrawAsNewCurve(KDevice& device, const KViewTransform& view, const KOnes& document,
                    std::unique_ptr<KCurve> curve);
