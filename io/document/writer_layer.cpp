// Layer lines: select the layer by name, then give its state.
#include "model/document/klayer.h"
#include "io/document/writer_parts.h"

void WriteLayerLines(KOutput& out, const KLayer& layer) {
  // The trailing blank is part of the line as it has always been written.
  out << "layer m " << OneWord(layer.name) << " " << kCrLf;
  if (layer.state == kViewNotEdit)
    out << "layer ViewNotEdit" << kCrLf;
  else if (layer.state == kNotViewNotEdit)
    out << "layer NotViewNotEdit" << kCrLf;
}
