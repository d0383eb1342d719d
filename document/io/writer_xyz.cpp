// Writing x, y, z lists in the drawing format.
#include <string>

#include "document/io/writer.h"
#include "grid/kxyz_list.h"

void KXyzList::Write(KOutput& out) const {
  // Without the keyword a list whose first x is negative would not be taken
  // for a list, and without the empty line the list reader would swallow the
  // next word.
  out << "XYZ" << kCrLf;
  std::string line;
  for (const KOne& p : points) {
    line = FormatNumber(p.x);
    line += ',';
    line += FormatNumber(p.y);
    line += ',';
    line += FormatNumber(p.z);
    line += ',';
    line += FormatNumber(p.w);
    line += ',';
    line += std::to_string(p.tag);
    line += kLf;
    out << line;
  }
  out << kCrLf;
}
