#pragma once
// The drawing the about box shows: a framed card with the program's mark
// and six rows of text a host may replace.
#include <string>

struct KAboutRows {
  std::string name = "Quarvel";
  std::string function = "2D drawing window for maps and sections";
  std::string user;
  std::string owner;
  std::string copyRight;
  std::string web;
};

// The card as a text drawing. Line breaks and other control characters in
// a row become blanks, so a row stays one line of text and can never add
// drawing commands of its own.
std::string AboutScript(const KAboutRows& rows);
