// Saving the window's document as a text drawing.
#include "io/document/writer.h"
#include "window/editor/quarvel_window.h"
#include "window/editor/document_kind.h"

KResult QuarvelWindow::Save(const std::string& path, KProgressSink* progress) {
  // Written under a curve or STEP name it would not read back as itself.
  if (KResult name = CheckTextDrawingName(path); !name) return name;
  return SaveToFile(*this, path, progress);
}

int QuarvelWindow::OnSaveDocument(const std::string& path) { return Save(path).ok() ? 1 : 0; }
