#include "io/segy/segy_text.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>

#include "io/segy/segy_format.h"
#include "io/segy/segy_layout.h"

namespace {

constexpr int kLines = 40;
constexpr int kLineBytes = 80;

// EBCDIC to ASCII, with the brackets, bar, exclamation mark, caret and
// tilde where international EBCDIC puts them; codes with no ASCII
// counterpart map one to one onto the rest of 0x80-0xFF.
constexpr unsigned char kEbcdicToAscii[256] = {
    0x00, 0x01, 0x02, 0x03, 0x9C, 0x09, 0x86, 0x7F, 0x97, 0x8D, 0x8E, 0x0B, 0x0C, 0x0D, 0x0E, 0x0F,  // 0_
    0x10, 0x11, 0x12, 0x13, 0x9D, 0x85, 0x08, 0x87, 0x18, 0x19, 0x92, 0x8F, 0x1C, 0x1D, 0x1E, 0x1F,  // 1_
    0x80, 0x81, 0x82, 0x83, 0x84, 0x0A, 0x17, 0x1B, 0x88, 0x89, 0x8A, 0x8B, 0x8C, 0x05, 0x06, 0x07,  // 2_
    0x90, 0x91, 0x16, 0x93, 0x94, 0x95, 0x96, 0x04, 0x98, 0x99, 0x9A, 0x9B, 0x14, 0x15, 0x9E, 0x1A,  // 3_
    0x20, 0xA0, 0xA1, 0xA2, 0xA3, 0xA4, 0xA5, 0xA6, 0xA7, 0xA8, 0x5B, 0x2E, 0x3C, 0x28, 0x2B, 0x21,  // 4_
    0x26, 0xA9, 0xAA, 0xAB, 0xAC, 0xAD, 0xAE, 0xAF, 0xB0, 0xB1, 0x5D, 0x24, 0x2A, 0x29, 0x3B, 0x5E,  // 5_
    0x2D, 0x2F, 0xB2, 0xB3, 0xB4, 0xB5, 0xB6, 0xB7, 0xB8, 0xB9, 0x7C, 0x2C, 0x25, 0x5F, 0x3E, 0x3F,  // 6_
    0xBA, 0xBB, 0xBC, 0xBD, 0xBE, 0xBF, 0xC0, 0xC1, 0xC2, 0x60, 0x3A, 0x23, 0x40, 0x27, 0x3D, 0x22,  // 7_
    0xC3, 0x61, 0x62, 0x63, 0x64, 0x65, 0x66, 0x67, 0x68, 0x69, 0xC4, 0xC5, 0xC6, 0xC7, 0xC8, 0xC9,  // 8_
    0xCA, 0x6A, 0x6B, 0x6C, 0x6D, 0x6E, 0x6F, 0x70, 0x71, 0x72, 0xCB, 0xCC, 0xCD, 0xCE, 0xCF, 0xD0,  // 9_
    0xD1, 0x7E, 0x73, 0x74, 0x75, 0x76, 0x77, 0x78, 0x79, 0x7A, 0xD2, 0xD3, 0xD4, 0xD5, 0xD6, 0xD7,  // A_
    0xD8, 0xD9, 0xDA, 0xDB, 0xDC, 0xDD, 0xDE, 0xDF, 0xE0, 0xE1, 0xE2, 0xE3, 0xE4, 0xE5, 0xE6, 0xE7,  // B_
    0x7B, 0x41, 0x42, 0x43, 0x44, 0x45, 0x46, 0x47, 0x48, 0x49, 0xE8, 0xE9, 0xEA, 0xEB, 0xEC, 0xED,  // C_
    0x7D, 0x4A, 0x4B, 0x4C, 0x4D, 0x4E, 0x4F, 0x50, 0x51, 0x52, 0xEE, 0xEF, 0xF0, 0xF1, 0xF2, 0xF3,  // D_
    0x5C, 0x9F, 0x53, 0x54, 0x55, 0x56, 0x57, 0x58, 0x59, 0x5A, 0xF4, 0xF5, 0xF6, 0xF7, 0xF8, 0xF9,  // E_
    0x30, 0x31, 0x32, 0x33, 0x34, 0x35, 0x36, 0x37, 0x38, 0x39, 0xFA, 0xFB, 0xFC, 0xFD, 0xFE, 0xFF,  // F_
};

KSegyTextRecord Record(const unsigned char* bytes) {
  KSegyTextRecord r;
  r.ebcdic = LooksLikeEbcdic(bytes, segy::kTextualHeaderBytes);
  const std::string text = r.ebcdic ? EbcdicToAscii(bytes, segy::kTextualHeaderBytes)
                                    : std::string(reinterpret_cast<const char*>(bytes), segy::kTextualHeaderBytes);
  for (int k = 0; k < kLines; ++k) r.lines.push_back(text.substr(static_cast<std::size_t>(k) * kLineBytes, kLineBytes));
  return r;
}

void Warn(KWarningSink* warnings, const std::string& path, const std::string& what) {
  if (warnings) warnings->Warn({{}, {}, {}, "'" + path + "': " + what});
}

// How many extended records the binary header asks for; -1 with a warning
// when it cannot be told.
std::int64_t ExtendedCount(KInputFile& file, const unsigned char* header, KWarningSink* warnings) {
  const std::string& path = file.path();
  const KResultWith<KByteOrder> order = SegyHeaderByteOrder(path, header);
  if (!order) {
    Warn(warnings, path, "no extended textual headers read: " + order.message());
    return -1;
  }
  const int count = SegyInt16(header + segy::kExtTextCount, order.value());
  if (count == -1) {
    const KResultWith<int> counted = CountSegyStanzaRecords(file, file.size());
    if (!counted) Warn(warnings, path, "no extended textual headers read: " + counted.message());
    return counted ? counted.value() : -1;
  }
  if (count < 0) {
    Warn(warnings, path, "extended textual header count (bytes 3505-3506) is " + std::to_string(count) +
                             "; only -1 or a count of 0 or more means anything: none read");
    return -1;
  }
  return count;
}

}  // namespace

bool LooksLikeEbcdic(const unsigned char* bytes, std::size_t n) {
  const auto in = [](unsigned char c, unsigned char lo, unsigned char hi) { return c >= lo && c <= hi; };
  std::size_t ebcdic = 0, ascii = 0;
  for (std::size_t i = 0; i < n; ++i) {
    const unsigned char c = bytes[i];
    ebcdic += c == 0x40 || in(c, 0x81, 0x89) || in(c, 0x91, 0x99) || in(c, 0xA2, 0xA9) || in(c, 0xC1, 0xC9) ||
              in(c, 0xD1, 0xD9) || in(c, 0xE2, 0xE9) || in(c, 0xF0, 0xF9);
    ascii += c == 0x20 || in(c, '0', '9') || in(c, 'A', 'Z') || in(c, 'a', 'z');
  }
  return ebcdic > ascii;
}

std::string EbcdicToAscii(const unsigned char* bytes, std::size_t n) {
  std::string s(n, '\0');
  for (std::size_t i = 0; i < n; ++i) s[i] = static_cast<char>(kEbcdicToAscii[bytes[i]]);
  return s;
}

KResultWith<std::vector<KSegyTextRecord>> ReadSegyText(KInputFile& file, KWarningSink* warnings) {
  const std::string& path = file.path();
  std::vector<KSegyTextRecord> records;
  unsigned char header[segy::kFileHeaderBytes];
  const std::int64_t got = file.ReadAt(0, header, sizeof header);
  if (got < 0) return {ErrnoResult(KStatus::kCannotOpen, "cannot read", path, errno), records};
  if (got < segy::kTextualHeaderBytes)
    return {KResult(KStatus::kBadInput, "SEG-Y file '" + path + "': the file ends at byte " + std::to_string(got) +
                                            ", inside the textual header (bytes 1-3200)"),
            records};
  records.push_back(Record(header));
  if (got < segy::kFileHeaderBytes) {
    Warn(warnings, path, "the file ends at byte " + std::to_string(got) +
                             ", inside the binary header: no extended textual headers read");
    return records;
  }
  const std::int64_t count = ExtendedCount(file, header, warnings);
  const std::int64_t held = (file.size() - segy::kFileHeaderBytes) / segy::kExtendedTextBytes;
  if (count > held)
    Warn(warnings, path, "extended textual header count (bytes 3505-3506) is " + std::to_string(count) +
                             ", but the file holds only " + std::to_string(held) + " after the binary header" +
                             (held > 0 ? ": those are shown" : ""));
  std::vector<unsigned char> record(segy::kExtendedTextBytes);
  for (std::int64_t k = 0; k < std::min(count, held); ++k) {
    const std::int64_t n = file.ReadAt(segy::kFileHeaderBytes + k * segy::kExtendedTextBytes, record.data(), record.size());
    if (n < 0) return {ErrnoResult(KStatus::kCannotOpen, "cannot read", path, errno), records};
    if (n < segy::kExtendedTextBytes) break;  // the file shrank while read
    records.push_back(Record(record.data()));
  }
  return records;
}
