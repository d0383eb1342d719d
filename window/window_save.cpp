// Saving the window's document as a text drawing.
#include "document/io/writer.h"
#include "window/quarvel_window.h"

KResult QuarvelWindow::Save(const std::string& path) { return SaveToFile(*this, path); }

int QuarvelWindow::OnSaveDocument(const std::string& path) { return Save(path).ok() ? 1 : 0; }
