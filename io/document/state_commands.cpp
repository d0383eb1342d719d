#include "io/document/state_commands.h"

#include <cstdint>
#include <cstdio>

#include "model/document/kones.h"
#include "io/document/lexer.h"
#include "io/document/reader_util.h"

namespace {

// Negated COLORREF of r, g, b, computed modulo 2^32 so that hostile
// components wrap instead of overflowing.
int DocumentColour(int r, int g, int b) {
  const std::uint32_t ref = static_cast<std::uint32_t>(r) + 256u * static_cast<std::uint32_t>(g) +
                            65536u * static_cast<std::uint32_t>(b);
  return static_cast<std::int32_t>(0u - ref);
}

void SetLayerState(KOnes& doc, KReadContext& ctx, int state) {
  if (doc.CurrentLayer())
    doc.CurrentLayer()->state = state;
  else
    ctx.Report("layer state ignored", "no layer selected yet");
}

}  // namespace

void ReadColourCommand(KOnes& doc, KReadContext& ctx) {
  std::string token;
  if (ReadToken(ctx.src, token) == KTokenEnd::kInputEnd) return;
  if (!ScanInt(token, doc.currentColour)) ctx.Report("colour ignored", "its value does not convert");
}

void ReadRgbCommand(KOnes& doc, KReadContext& ctx) {
  std::string line;
  if (!ReadLine(ctx.src, line)) return;
  int r = 0, g = 0, b = 0;
  if (std::sscanf(line.c_str(), "%d%d%d", &r, &g, &b) == 3)
    doc.currentColour = DocumentColour(r, g, b);
  else
    ctx.Report("RGB colour ignored", "fewer than three components convert");
}

void ReadLayerCommand(KOnes& doc, KReadContext& ctx) {
  std::string token;
  if (ReadToken(ctx.src, token) == KTokenEnd::kInputEnd || token.empty()) return;
  switch (token[0]) {
    case 'M':
    case 'm': {
      std::string path;
      if (ReadToken(ctx.src, path) == KTokenEnd::kInputEnd) return;
      doc.SelectLayer(path);
      return;
    }
    case 'E':
    case 'e':
      if (!doc.CurrentLayer()) {
        ctx.Report("layer embellishment ignored", "no layer selected yet");
        return;
      }
      doc.CurrentLayer()->SetEmbellishment(doc.PendingEmbellishment());
      doc.SetPendingEmbellishment(nullptr);
      return;
    case 'T':
    case 't':
      if (!doc.CurrentLayer()) {
        ctx.Report("layer text properties ignored", "no layer selected yet");
        return;
      }
      doc.CurrentLayer()->SetTextProperties(doc.PendingTextProperties());
      doc.SetPendingTextProperties(nullptr);
      return;
    default:
      break;
  }
  ToUpperAscii(token);
  if (StartsWith(token, "NOTVIEWNOTEDIT"))
    SetLayerState(doc, ctx, kNotViewNotEdit);
  else if (StartsWith(token, "VIEWNOTEDIT"))
    SetLayerState(doc, ctx, kViewNotEdit);
  else if (StartsWith(token, "VIEWANDEDIT"))
    SetLayerState(doc, ctx, kViewAndEdit);
}
