#pragma once
// The drawing script of the button panel: three square blocks (red, blue and
// green) and three layers "window\button", "window\edit", "window\play" whose
// text properties draw cells as a stretched block with a Times New Roman
// label. A NUL-terminated byte string in the drawing format, CR LF line ends.
#include <cstddef>

constexpr std::size_t kButtonScriptSize = 1162;   // bytes before the NUL
extern const char charFileButton[kButtonScriptSize + 1];
