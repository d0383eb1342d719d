#pragma once
// Nearest-curve editing over a document: which editable curve a stroke or
// two trim clicks mean, and the splice and trim that follow. An editable
// curve is a polyline entry on a layer in state view-and-edit.
#include <memory>
#include <vector>

#include "model/document/kones.h"

// The entry's curve when it is editable, else null.
KCurve* EditableCurve(const KEntry& entry);

// Index of the entry whose editable curve lies nearest to (x1, y1) or
// (x2, y2), among the first `end` entries visited newest first; a tie keeps
// the newer. -1 when there is none.
int NearestEditableCurve(const KOnes& document, std::size_t end, double x1, double y1, double x2, double y2);

// The curve the newest entry, a stroke, would be spliced into; -1 when the
// newest entry is no polyline or no older editable curve exists.
int ModifyTarget(const KOnes& document);

enum class KModifyOutcome {
  kNoStroke,    // the newest entry is no polyline
  kKeptAsNew,   // no curve to splice into, or the splice changed nothing
  kSpliced,     // spliced in; the stroke's entry is gone
};
// Splices the newest entry's curve into ModifyTarget and removes the
// stroke's entry, handing it to removed when given. A stroke whose splice
// changes nothing stays as a new curve rather than being thrown away.
KModifyOutcome ModifyNearestCurve(KOnes& document, std::vector<std::unique_ptr<KEntry>>* removed = nullptr);

// The editable curve nearest to either trim click; -1 when none.
int TrimTarget(const KOnes& document, double x1, double y1, double x2, double y2);
// TrimRange on that curve; true when it changed.
bool TrimNearestCurve(KOnes& document, double x1, double y1, double x2, double y2);
