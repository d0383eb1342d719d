#pragma once
// Choosing the four trace-header words by their 1-based byte positions, as
// a user writes them ("m=189,n=193,x=181,y=185", a ":2" after a position
// for a 2-byte word), or by a named preset.
#include <string>
#include <string_view>

#include "platform/base/result.h"
#include "io/segy/segy_traces.h"

// 1-based positions of the words the presets choose.
namespace segy {
constexpr int kInlineByte = 189;      // bytes 189-192: inline number (3D)
constexpr int kCrosslineByte = 193;   // bytes 193-196: crossline number (3D)
constexpr int kCdpXByte = 181;        // bytes 181-184: CDP x
constexpr int kCdpYByte = 185;        // bytes 185-188: CDP y
constexpr int kCdpByte = 21;          // bytes 21-24: CDP ensemble number
constexpr int kShotPointByte = 197;   // bytes 197-200: shot point number (2D)
}  // namespace segy

// The fields of `base` with the words the text names replaced; refused
// (kRefused, naming the item) for an unknown word, a position outside 1-240
// or one whose word would end past byte 240, or a size other than 2 or 4.
KResultWith<KSegyFields> ParseSegyWords(std::string_view text, KSegyFields base = {});
// "3d": m the inline (189), n the crossline (193), x and y the CDP
// coordinates (181, 185). "2d-cdp": m the CDP number (21), n the shot point
// (197), x and y the CDP coordinates. Refused for any other name.
KResultWith<KSegyFields> SegyPreset(std::string_view name);
// The words as "m=21,n=9,x=73,y=77" (":2" after a 2-byte one).
std::string SegyWordsText(const KSegyFields& fields);
