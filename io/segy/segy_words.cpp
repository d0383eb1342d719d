#include "io/segy/segy_words.h"

#include <charconv>
#include <tuple>
#include <utility>

namespace {

KResult Refused(const std::string& what) { return KResult(KStatus::kRefused, "--words: " + what); }

// The offset and size members of the word named by letter, or nulls.
std::pair<int*, int*> Word(KSegyFields& f, std::string_view name) {
  if (name == "m") return {&f.m, &f.mBytes};
  if (name == "n") return {&f.n, &f.nBytes};
  if (name == "x") return {&f.x, &f.xBytes};
  if (name == "y") return {&f.y, &f.yBytes};
  return {nullptr, nullptr};
}

bool ParseInt(std::string_view text, int& value) {
  const auto r = std::from_chars(text.data(), text.data() + text.size(), value);
  return r.ec == std::errc() && r.ptr == text.data() + text.size();
}

}  // namespace

KResultWith<KSegyFields> ParseSegyWords(std::string_view text, KSegyFields base) {
  KSegyFields f = base;
  while (!text.empty()) {
    const std::size_t comma = text.find(',');
    const std::string_view item = text.substr(0, comma);
    text = comma == std::string_view::npos ? std::string_view() : text.substr(comma + 1);
    const std::size_t eq = item.find('=');
    const auto [offset, size] = Word(f, item.substr(0, eq));
    if (eq == std::string_view::npos || !offset)
      return {Refused("'" + std::string(item) + "' is not m=BYTE, n=BYTE, x=BYTE or y=BYTE"), base};
    std::string_view value = item.substr(eq + 1);
    int bytes = 4, position = 0;
    if (const std::size_t colon = value.find(':'); colon != std::string_view::npos) {
      if (!ParseInt(value.substr(colon + 1), bytes) || (bytes != 2 && bytes != 4))
        return {Refused("'" + std::string(item) + "': a word is 2 or 4 bytes"), base};
      value = value.substr(0, colon);
    }
    if (!ParseInt(value, position) || position < 1 || position + bytes - 1 > segy::kTraceHeaderBytes)
      return {Refused("'" + std::string(item) + "': the word must lie in bytes 1-240 of the trace header"), base};
    *offset = position - 1;
    *size = bytes;
  }
  return f;
}

KResultWith<KSegyFields> SegyPreset(std::string_view name) {
  KSegyFields f;
  f.x = segy::kCdpXByte - 1;
  f.y = segy::kCdpYByte - 1;
  if (name == "3d") {
    f.m = segy::kInlineByte - 1;
    f.n = segy::kCrosslineByte - 1;
  } else if (name == "2d-cdp") {
    f.m = segy::kCdpByte - 1;
    f.n = segy::kShotPointByte - 1;
  } else {
    return {KResult(KStatus::kRefused, "--preset: '" + std::string(name) + "' is not 3d or 2d-cdp"), KSegyFields{}};
  }
  return f;
}

std::string SegyWordsText(const KSegyFields& f) {
  std::string s;
  for (auto [name, offset, size] : {std::tuple{"m", f.m, f.mBytes}, {"n", f.n, f.nBytes}, {"x", f.x, f.xBytes},
                                    {"y", f.y, f.yBytes}}) {
    s += std::string(s.empty() ? "" : ",") + name + "=" + std::to_string(offset + 1);
    if (size != 4) s += ":" + std::to_string(size);
  }
  return s;
}
