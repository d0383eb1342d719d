#pragma once
// Paper sizes and map scales for pictures printed at true scale.
#include <string>

struct KPaper {
  double widthMm = 0, heightMm = 0;
};

// "A4", "A3", "A2", "A1", "A0" or "letter" (any case), portrait unless
// ",landscape" follows. False, paper unchanged, for anything else.
bool ParsePaper(const std::string& text, KPaper& paper);
// "1:N" with N a positive number (25000, 2.5e4). False otherwise.
bool ParseMapScale(const std::string& text, double& denominator);

// World metres per device pixel for a map at 1:denominator on a device of
// dotsPerInch.
double MetresPerPixel(double denominator, double dotsPerInch);
// Paper millimetres as device pixels at dotsPerInch, rounded.
int MmToPixels(double mm, double dotsPerInch);
