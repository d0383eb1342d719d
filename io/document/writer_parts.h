#pragma once
// The pieces the document writer is made of, one per kind of text it
// writes. Each writes complete lines in the form the matching reader takes.
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "io/document/writer.h"

class KCurve;
class KCurveArray;
class KEmbellish;
struct KEntry;
struct KLayer;
struct KStepList;
struct KTextProperties;

// "layer m NAME " and, for states 1 and 2, the state line.
void WriteLayerLines(KOutput& out, const KLayer& layer);

// A polyline block: "PLINE[.NAME]", one line per vertex with `values` of x,
// y, z, s (2 to 4; the curve's dimension when 0), the width and code lines
// when set, the closure marker line and the empty line that ends it.
void WritePolyline(KOutput& out, const KCurve& curve, int values = 0);
// Each element's own polyline, in order; a curve group's polyline keeps its
// header numbers (z and s), its curves are not written.
void WriteCurveArray(KOutput& out, const KCurveArray& array);

// The step lines of a STEP file's head, ending with the "''" line.
void WriteStepList(KOutput& out, const KStepList& steps);

// A TextProperties block of its four lines and an empty line.
void WriteTextProperties(KOutput& out, const KTextProperties& properties);
// An Embellish block with its items and NODRAW flag, ended by an empty line.
// Writes nothing unless CanWriteEmbellishment: the reader drops a block
// without items, so such an embellishment cannot be written.
void WriteEmbellishment(KOutput& out, const KEmbellish& embellish);
// True when the embellishment has at least one item of a known type.
bool CanWriteEmbellishment(const KEmbellish& embellish);

// The element of one entry: points, insertions, texts, bitmaps, grids,
// logos, x, y, z lists, polylines and curve arrays. A step list is written
// only at the head of a document (WriteStepList), so here it writes nothing.
void WriteElement(KOutput& out, const KEntry& entry);

// Text that the reader takes as one word (a token): it ends at a separator
// byte (0x00-0x20 but CR, which the reader drops) or at 0xFF (end of input).
// Returns text up to the first such byte.
std::string OneWord(std::string_view text);
// Writes text that the reader takes back with ReadLine, then line_end. The
// reader's line holds at most kReadBufferSize bytes and a longer one goes on
// as the next line, so longer text is cut there; text that fills the line
// exactly gets no line end, or the reader would take that as one more
// (empty) line.
void WriteRestOfLine(KOutput& out, std::string_view text, std::string_view lineEnd);
// Text that the reader takes as the rest of a line: it ends at LF or NUL,
// drops CR and stops input at 0xFF. Returns text up to the first LF, NUL or
// 0xFF byte, without CRs.
std::string OneLine(std::string_view text);

struct KLogFont;
// The font fields as FONT texts and text-property blocks carry them:
// orientation, weight, the eight byte members, each alone, then " " and the
// face name when there is one. No line end.
std::string FontFields(const KLogFont& font);

class KOnes;
// The current layer each written document ends with, applied to the
// documents only once the whole text was written (so a failed save changes
// nothing).
struct KLayerMoves {
  std::vector<std::pair<KOnes*, KLayer*>> moves;
  void Apply() const;
};
// WriteDocument without touching the documents: their new current layers
// are added to moves.
// progress, when given, counts the document's entries as they are written.
class KProgressSink;
void WriteDocumentText(KOutput& out, KOnes& doc, KLayerMoves& moves, KProgressSink* progress = nullptr);

// True when two text properties say the same in the drawing format (the
// renderer's caches and the font's height, width and escapement, which the
// renderer computes, do not count).
bool SameTextProperties(const KTextProperties& a, const KTextProperties& b);
