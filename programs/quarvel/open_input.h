#pragma once
// How every command opens its inputs: with OnOpenDocument (the extension
// chooses the reader), and with a progress bar when standard error is a
// terminal.
#include <string>

class QuarvelWindow;

// Returns what OnOpenDocument returns (0 when the file cannot be opened).
int OpenInput(QuarvelWindow& window, const std::string& path);
