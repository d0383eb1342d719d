#pragma once
// Keywords that change the reading state instead of adding an element:
// COLOR, RGB and the LAYER command. Each is called with the input just after
// its keyword token.
#include "io/document/kread_context.h"

class KOnes;

// COLOR n: the next token, "%d", becomes the current colour as written
// (unchanged when it does not convert).
void ReadColourCommand(KOnes& doc, KReadContext& ctx);
// RGB r g b on the rest of the line: current colour = -(r + 256 g + 65536 b),
// wrapping like 32-bit arithmetic for out-of-range components; unchanged
// unless all three convert.
void ReadRgbCommand(KOnes& doc, KReadContext& ctx);
// LAYER M path | E | T | NotViewNotEdit | ViewNotEdit | ViewAndEdit. The E,
// T and state forms act on the current layer and are ignored (and reported)
// before any layer was selected.
void ReadLayerCommand(KOnes& doc, KReadContext& ctx);
