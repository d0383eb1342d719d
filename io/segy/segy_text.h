#pragma once
// The textual headers of a SEG-Y file: the 3200-byte one at the start and
// the extended ones after the binary header, each 40 lines of 80
// characters, in EBCDIC or ASCII. EBCDIC is told from ASCII by its bytes
// and converted with the common EBCDIC-to-ASCII table.
#include <cstddef>
#include <string>
#include <vector>

#include "platform/base/result.h"
#include "platform/base/warning.h"
#include "platform/files/input_file.h"

struct KSegyTextRecord {
  bool ebcdic = false;             // converted from EBCDIC; else the bytes as they are
  std::vector<std::string> lines;  // 40 lines of 80 bytes
};

// Whether a record reads as EBCDIC rather than ASCII: more of its bytes are
// blanks, letters and digits in EBCDIC than in ASCII. Punctuation counts
// for neither, so a record padded with one filler byte is told by its words.
bool LooksLikeEbcdic(const unsigned char* bytes, std::size_t n);
// EBCDIC bytes as ASCII codes; bytes beyond ASCII keep a code of 0x80 up.
std::string EbcdicToAscii(const unsigned char* bytes, std::size_t n);

// The textual header and the extended ones the binary header counts
// (bytes 3505-3506; -1 up to the end stanza). Refused (naming the file)
// only when the file is shorter than the first 3200 bytes or cannot be
// read. A file without a readable binary header, or too short for the
// extended headers it counts, gives the records it holds and a warning.
KResultWith<std::vector<KSegyTextRecord>> ReadSegyText(KInputFile& file, KWarningSink* warnings = nullptr);
