#pragma once
// Where things are in a SEG-Y file, and what the data sample format codes
// mean. Offsets count bytes from 0; the field names give the 1-based byte
// ranges that readers of the format know them by.
#include <cstdint>

namespace segy {

// File header: a 3200-byte textual header, then the 400-byte binary header.
constexpr std::int64_t kTextualHeaderBytes = 3200;
constexpr std::int64_t kFileHeaderBytes = 3600;
constexpr std::int64_t kExtendedTextBytes = 3200;  // one extended textual header record

// Binary header fields (file offsets).
constexpr std::int64_t kSampleInterval = 3216;     // bytes 3217-3218, int16, microseconds
constexpr std::int64_t kSampleCount = 3220;        // bytes 3221-3222, uint16
constexpr std::int64_t kFormatCode = 3224;         // bytes 3225-3226, int16
constexpr std::int64_t kExtSampleCount = 3268;     // bytes 3269-3272, uint32 (revision 2)
constexpr std::int64_t kByteOrderWord = 3296;      // bytes 3297-3300, 0x01020304 (revision 2)
constexpr std::int64_t kRevision = 3500;           // byte 3501 major, 3502 minor
constexpr std::int64_t kExtTextCount = 3504;       // bytes 3505-3506, int16; -1: up to the end stanza
constexpr std::int64_t kExtraTraceHeaders = 3506;  // bytes 3507-3508, uint16 (revision 2)
constexpr std::int64_t kTraceCountField = 3512;    // bytes 3513-3520, uint64 (revision 2)
constexpr std::int64_t kFirstTraceField = 3520;    // bytes 3521-3528, uint64 (revision 2)
constexpr std::uint32_t kByteOrderMark = 0x01020304;

// Trace header: 240 bytes; field offsets within it.
constexpr std::int64_t kTraceHeaderBytes = 240;
constexpr int kFieldRecordOffset = 8;     // bytes 9-12: original field record number
constexpr int kCdpOffset = 20;            // bytes 21-24: CDP ensemble number
constexpr int kCoordScalarOffset = 70;    // bytes 71-72, int16
constexpr int kSourceXOffset = 72;        // bytes 73-76
constexpr int kSourceYOffset = 76;        // bytes 77-80
constexpr int kTraceSampleCount = 114;    // bytes 115-116, uint16; 117-118 the interval

// The stanza that ends a variable number of extended textual headers.
constexpr char kEndTextStanza[] = "((SEG: EndText))";

// Bytes per sample of a format code, 0 for a code no revision assigns.
int BytesPerSample(int formatCode);
// What the panel shows for a format code ("Data type" for unknown codes).
const char* FormatText(int formatCode);

}  // namespace segy
