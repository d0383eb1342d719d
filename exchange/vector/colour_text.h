#pragma once
// A drawing colour (the negated COLORREF an entry keeps) as "#rrggbb" and back.
#include <optional>
#include <string>

std::string ColourText(int documentColour);
// Accepts "#rrggbb" in either letter case; anything else is no colour.
std::optional<int> DocumentColourOf(const std::string& text);
