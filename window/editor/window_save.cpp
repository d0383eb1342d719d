// Saving the window's document as a text drawing.
#include "io/document/writer.h"
#include "window/editor/quarvel_window.h"

KResult QuarvelWindow::Save(const std::string& path, KProgressSink* progress) {
  return SaveToFile(*this, path, progress);
}

int QuarvelWindow::OnSaveDocument(const std::string& path) { return Save(path).ok() ? 1 : 0; }
