#pragma once
// How every command opens its inputs: with QuarvelWindow::Open (the extension
// chooses the reader), and with a progress bar when standard error is a
// terminal.
#include <string>

#include "platform/base/result.h"
#include "platform/base/warning.h"

class QuarvelWindow;

// Opens path into window (QuarvelWindow::Open); the result names the file
// and the reason when it cannot be opened. What the readers skipped or
// rejected (the read issues the window gained) goes to warnings, when
// given, naming path.
KResult OpenInput(QuarvelWindow& window, const std::string& path, KWarningSink* warnings = nullptr);
