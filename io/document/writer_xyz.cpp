// Writing x, y, z lists in the drawing format.
#include <string>
#include <type_traits>

#include "io/document/writer.h"
#include "model/grid/kxyz_list.h"

void KXyzList::Write(KOutput& out) const {
  // Without the keyword a list whose first x is negative would not be taken
  // for a list, and without the empty line the list reader would swallow the
  // next word.
  out << "XYZ" << kCrLf;
  // A plain list writes the default weight and tag on every line, as a
  // weighted list would, so the text does not depend on the storage.
  const KOne defaults;
  std::string defaultTail = ',' + FormatNumber(defaults.w) + ',' + std::to_string(defaults.tag);
  defaultTail += kLf;
  std::string line;
  Visit([&](const auto& points) {
    for (const auto& p : points) {
      line = FormatNumber(p.x);
      line += ',';
      line += FormatNumber(p.y);
      line += ',';
      line += FormatNumber(p.z);
      if constexpr (std::is_same_v<std::decay_t<decltype(p)>, KOne>) {
        line += ',';
        line += FormatNumber(p.w);
        line += ',';
        line += std::to_string(p.tag);
        line += kLf;
      } else {
        line += defaultTail;
      }
      out << line;
    }
  });
  out << kCrLf;
}
