#pragma once
// The element readers the keyword dispatcher hands the input to. Each is
// called with the input positioned just after the keyword token (already
// upper-cased) and returns its record, or null when it rejects the element
// (having reported why through the context).
#include <memory>
#include <string>

#include "io/document/kread_context.h"
#include "platform/base/result.h"

class KCurve;
class KCurveArray;
class KEmbellish;
class KGrid3D;
class KXyzList;
struct KBmpIn;
struct KInsert;
struct KLogo;
struct KPointText;
struct KStepList;
struct KText;
struct KTextProperties;

std::unique_ptr<KCurve> ReadPolyline(KReadContext& ctx, const std::string& keyword);
std::unique_ptr<KPointText> ReadPoint(KReadContext& ctx);
std::unique_ptr<KInsert> ReadInsert(KReadContext& ctx);
std::unique_ptr<KText> ReadText(KReadContext& ctx);
std::unique_ptr<KText> ReadFontText(KReadContext& ctx);
std::unique_ptr<KBmpIn> ReadBitmap(KReadContext& ctx);
std::unique_ptr<KLogo> ReadLogo(KReadContext& ctx);
std::shared_ptr<KTextProperties> ReadTextProperties(KReadContext& ctx);
// Step lines from the start of a STEP file up to the "''" line.
std::unique_ptr<KStepList> ReadStepList(KReadContext& ctx);

// Embellishment blocks (EMBELLISH, CURVEEMBELLISH).
std::shared_ptr<KEmbellish> ReadEmbellishment(KReadContext& ctx);
// A whole curve file (groups of curves).
std::unique_ptr<KCurveArray> ReadCurveFile(KReadContext& ctx);

std::unique_ptr<KGrid3D> ReadGrid3D(KReadContext& ctx);
// token: the token that opened the list ("XYZ..." or a first point).
std::unique_ptr<KXyzList> ReadXyzList(KReadContext& ctx, const std::string& token);

// Decodes the element's file into its image; an image that cannot be loaded
// leaves it empty, and the result says why.
KResult LoadImage(KBmpIn& element);
