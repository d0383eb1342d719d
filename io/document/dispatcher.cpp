// The keyword dispatcher of the drawing format: reads tokens, hands each
// keyword to its reader, and turns what the readers return into entries,
// pending properties and blocks.
#include <algorithm>

#include "model/curves/kembellish.h"
#include "model/curves/kcurve_array.h"
#include "model/document/elements.h"
#include "model/document/document_summary.h"
#include "model/document/kones.h"
#include "io/document/finite_placement.h"
#include "io/document/lexer.h"
#include "io/document/open_document.h"
#include "io/document/reader_util.h"
#include "io/document/record_readers.h"
#include "io/document/state_commands.h"
#include "model/grid/kgrid3d.h"
#include "model/grid/kxyz_list.h"
#include "platform/base/c_locale.h"
#include "platform/base/progress.h"

namespace {

enum class Keyword {
  kNone,
  kNew,
  kEndNew,
  kColour,
  kRgb,
  kEmbellish,
  kPolyline,
  kInsert,
  kBitmap,
  kGrid,
  kXyz,
  kLogo,
  kTextProperties,
  kPoint,
  kText,
  kFont,
  kLayer,
};

struct Rule {
  const char* prefix;  // nullptr: the token starts with a digit
  Keyword keyword;
};

// Tested in this order; the first match wins. The order is part of the
// format: CURVEEMBELLISH before CURVE, TEXTP and MARKTEXT before TEXT, and
// 3DPOLY before the digit that would open an x, y, z list.
constexpr Rule kRules[] = {
    {"NEW", Keyword::kNew},
    {"ENDNEW", Keyword::kEndNew},
    {"COLOR", Keyword::kColour},
    {"RGB", Keyword::kRgb},
    {"EMBELLISH", Keyword::kEmbellish},
    {"CURVEEMBELLISH", Keyword::kEmbellish},
    {"CURVE", Keyword::kPolyline},
    {"PLINE", Keyword::kPolyline},
    {"3DPOLY", Keyword::kPolyline},
    {"INSERT", Keyword::kInsert},
    {"BMPIN", Keyword::kBitmap},
    {"GRID3D", Keyword::kGrid},
    {"XYZ", Keyword::kXyz},
    {nullptr, Keyword::kXyz},
    {"LOGO", Keyword::kLogo},
    {"TEXTP", Keyword::kTextProperties},
    {"HOWTODRAWPOINT", Keyword::kTextProperties},
    {"POINT", Keyword::kPoint},
    {"MARKTEXT", Keyword::kPoint},
    {"TEXT", Keyword::kText},
    {"FONT", Keyword::kFont},
    {"LAYER", Keyword::kLayer},
};

Keyword Classify(const std::string& upper) {
  // Every token is classified: the first byte rules out most prefixes
  // before any comparison.
  const char first = upper[0];
  for (const Rule& rule : kRules) {
    if (rule.prefix ? rule.prefix[0] == first && StartsWith(upper, rule.prefix) : (first >= '0' && first <= '9'))
      return rule.keyword;
  }
  return Keyword::kNone;
}

// Progress is passed on about this many times over a whole input.
constexpr std::int64_t kProgressSteps = 1024;

// Consumes the tokens of a block that is nested too deeply, up to its
// matching ENDNEW (counting the NEW ... ENDNEW pairs inside it).
void SkipBlock(KReadContext& ctx) {
  std::string token;
  int open = 1;
  while (open > 0 && !EndsInput(ReadToken(ctx.src, token))) {
    ToUpperAscii(token);
    if (StartsWith(token, "NEW"))
      ++open;
    else if (StartsWith(token, "ENDNEW"))
      --open;
  }
}

// Reads "NEW name" ... "ENDNEW" into a new document entered in doc's block
// tree. The block starts afresh: no colour, layers or properties inherited.
void ReadNamedBlock(KOnes& doc, KReadContext& ctx, int depth) {
  std::string name;
  ReadToken(ctx.src, name);
  if (depth >= KOnes::kMaxBlockDepth) {
    ctx.Report("block '" + name + "' skipped",
               "nested more than " + std::to_string(KOnes::kMaxBlockDepth) + " blocks deep");
    SkipBlock(ctx);
    return;
  }
  auto block = std::make_unique<KOnes>();
  // The progress sink is suspended while a block is read.
  KReadContext inner = KReadContext::Inner(ctx);
  if (ReadBlock(*block, inner, depth + 1) != KBlockEnd::kEndNew)
    ctx.Report("block '" + name + "' unterminated", "input ended before its ENDNEW");
  // Its reading state ends here: nothing reads into a block again, and its
  // entries hold what they took.
  block->EndReading();
  doc.AddBlock(name, std::move(block));
}

template <class Record>
void AddIfRead(KOnes& doc, int kind, std::unique_ptr<Record> record) {
  if (record) doc.AddEntry(kind, std::move(record));
}

// As AddIfRead, for the kinds placed by coordinates the polyline reader does
// not check itself.
template <class Record>
void AddIfPlaced(KOnes& doc, KReadContext& ctx, int kind, std::unique_ptr<Record> record) {
  if (record && !HasFinitePlacement(*record)) {
    ctx.Report(std::string(KindName(kind)) + " rejected", "a coordinate, size or angle is not a finite number");
    return;
  }
  AddIfRead(doc, kind, std::move(record));
}

}  // namespace

KBlockEnd ReadBlock(KOnes& doc, KReadContext& ctx, int depth) {
  KCLocaleScope cLocale;
  const std::int64_t progressStep = std::max<std::int64_t>(1, ctx.src.Length() / kProgressSteps);
  std::int64_t nextProgress = 0;
  std::string_view token;
  std::string scratch;
  std::string upper;
  for (;;) {
    const KTokenEnd end = ReadToken(ctx.src, token, scratch);
    if (EndsInput(end)) return KBlockEnd::kEndOfInput;
    if (ctx.progress && ctx.src.Position() >= nextProgress) {
      ctx.progress->SetPos(ctx.src.Position());
      nextProgress = ctx.src.Position() + progressStep;
    }
    if (end == KTokenEnd::kOverlong) {
      // No keyword is that long: skip the whole word, whatever it holds.
      ctx.Report("word skipped", "longer than 2560 bytes");
      if (EndsInput(SkipOverlongRest(ctx.src, scratch))) return KBlockEnd::kEndOfInput;
      continue;
    }
    if (token.empty()) continue;
    upper.assign(token.data(), token.size());
    ToUpperAscii(upper);

    switch (Classify(upper)) {
      case Keyword::kNone:
        break;
      case Keyword::kNew:
        ReadNamedBlock(doc, ctx, depth);
        break;
      case Keyword::kEndNew:
        return KBlockEnd::kEndNew;
      case Keyword::kColour:
        ReadColourCommand(doc, ctx);
        break;
      case Keyword::kRgb:
        ReadRgbCommand(doc, ctx);
        break;
      case Keyword::kEmbellish:
        // An empty block leaves the pending embellishment as it was.
        if (auto embellishment = ReadEmbellishment(ctx)) doc.SetPendingEmbellishment(std::move(embellishment));
        break;
      case Keyword::kPolyline:
        AddIfRead(doc, kKindPolyline, ReadPolyline(ctx, upper));
        break;
      case Keyword::kInsert:
        AddIfPlaced(doc, ctx, kKindInsert, ReadInsert(ctx));
        break;
      case Keyword::kBitmap:
        AddIfPlaced(doc, ctx, kKindBitmap, ReadBitmap(ctx));
        break;
      case Keyword::kGrid:
        AddIfPlaced(doc, ctx, kKindGrid, ReadGrid3D(ctx));
        break;
      case Keyword::kXyz:
        // The reader leaves out points that are not finite.
        AddIfRead(doc, kKindXyz, ReadXyzList(ctx, upper));
        break;
      case Keyword::kLogo:
        AddIfPlaced(doc, ctx, kKindLogo, ReadLogo(ctx));
        break;
      case Keyword::kTextProperties:
        // A rejected block leaves the pending properties as they were.
        if (auto properties = ReadTextProperties(ctx)) doc.SetPendingTextProperties(std::move(properties));
        break;
      case Keyword::kPoint:
        AddIfPlaced(doc, ctx, kKindPoint, ReadPoint(ctx));
        break;
      case Keyword::kText:
        AddIfPlaced(doc, ctx, kKindText, ReadText(ctx));
        break;
      case Keyword::kFont:
        AddIfPlaced(doc, ctx, kKindText, ReadFontText(ctx));
        break;
      case Keyword::kLayer:
        ReadLayerCommand(doc, ctx);
        break;
    }
  }
}
