#pragma once
// Which reader a file name picks: the text after the last '.' (or the whole
// name without one), upper-cased, starting with "KCX" reads as curves,
// "STEP" as a step list, anything else as a text drawing. Writers ask the
// same question, so a text drawing is never saved where it would be read
// back as something else.
#include <string>

#include "platform/base/result.h"

enum class KDocumentKind {
  kTextDrawing,
  kCurves,
  kStepList,
};

KDocumentKind DocumentKindOf(const std::string& path);

// The refusal for saving a text drawing under path, or success when the
// name reads back as a text drawing.
KResult CheckTextDrawingName(const std::string& path);
