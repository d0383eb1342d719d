#include "platform/resources/about_script.h"

namespace {

std::string OneLine(const std::string& text) {
  std::string out = text;
  for (char& c : out)
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f) c = ' ';
  out.erase(out.find_last_not_of(' ') + 1);  // npos + 1 == 0 clears an all-blank row
  return out;
}

}  // namespace

std::string AboutScript(const KAboutRows& rows) {
  // World units: the card is 400 x 240 with its origin at the bottom left.
  std::string s =
      "RGB 0 0 120\n"
      "PLINE\n0,0\n400,0\n400,240\n0,240\n0,0\n\n"
      "RGB 200 40 0\n"
      "PLINE\n20,170\n60,220\n100,170\n20,170\n\n"
      "RGB 0 0 0\n";
  s += "TEXT 120,190 28 0 " + OneLine(rows.name) + "\n";
  const std::string* const lines[] = {&rows.function, &rows.user, &rows.owner, &rows.copyRight, &rows.web};
  int y = 140;
  for (const std::string* line : lines) {
    if (!line->empty()) s += "TEXT 20," + std::to_string(y) + " 14 0 " + OneLine(*line) + "\n";
    y -= 28;
  }
  return s;
}
