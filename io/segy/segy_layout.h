#pragma once
// The shape of a SEG-Y file, read from its headers and checked against its
// size before anything is read from the traces: byte order, sample format,
// where the first trace starts and how long every trace is. Offsets are
// 64-bit throughout, so files beyond 4 GB read the same way.
#include <cstdint>
#include <string>
#include <vector>

#include "platform/files/input_file.h"
#include "platform/base/result.h"
#include "platform/base/warning.h"

enum class KByteOrder { kBig, kLittle };

struct KSegyLayout {
  std::string path;
  std::int64_t fileSize = 0;
  KByteOrder byteOrder = KByteOrder::kBig;       // of the binary header
  KByteOrder traceByteOrder = KByteOrder::kBig;  // of the trace headers: the same unless they tell otherwise
  int formatCode = 0;
  int bytesPerSample = 0;
  std::int64_t samples = 0;        // per trace
  int interval = 0;                // microseconds
  int revisionMajor = 0;
  int extendedTextHeaders = 0;     // records between the binary header and the first trace
  int extraTraceHeaders = 0;       // further 240-byte headers in every trace (revision 2)
  std::int64_t firstTrace = 0;     // file offset of the first trace header
  std::int64_t traceLength = 0;    // bytes from one trace header to the next
  std::int64_t traces = 0;         // whole traces
  std::int64_t leftover = 0;       // bytes after the last whole trace

  std::int64_t TraceStart(std::int64_t index) const { return firstTrace + index * traceLength; }
  // The traces whose first `bytes` header bytes lie in the file: the whole
  // traces, and a last one cut short after those bytes.
  std::int64_t TracesHolding(std::int64_t bytes) const {
    return traces + (leftover >= bytes ? 1 : 0);
  }
};

// Reads the textual and binary headers of an open file and works out its
// layout. Refused (kBadInput, a message naming the file and the field) when
// the header is cut short, the format code is unknown in both byte orders,
// the sample count is 0, the extended textual headers or the first-trace
// offset point past the end of the file, or a trace would be longer than
// everything after the header. What is sound but suspicious (bytes after the
// last whole trace, no traces, a trace count or trace headers that disagree)
// goes to warnings, when given, each a sentence naming the file; only a
// layout that succeeds warns. Trace headers whose own sample count or
// interval reads as the binary header's only in the other byte order are
// read in that order (traceByteOrder), with a warning.
KResultWith<KSegyLayout> ReadSegyLayout(KInputFile& file, KWarningSink* warnings = nullptr);
// The same, opening path first.
KResultWith<KSegyLayout> ReadSegyLayout(const std::string& path, KWarningSink* warnings = nullptr);

// The byte order of a 3600-byte file header: the revision-2 byte-order word
// when present, else the order in which the format code is one any
// revision assigns; refused (naming path and the field) when neither is.
KResultWith<KByteOrder> SegyHeaderByteOrder(const std::string& path, const unsigned char* header);
// Counts the extended textual header records of a file of `size` bytes up
// to and including the one that opens with the end stanza (a count of -1);
// refused when no record before the end of the file opens with it.
KResultWith<int> CountSegyStanzaRecords(KInputFile& file, std::int64_t size);

// Integers of the file in its byte order.
std::int32_t SegyInt32(const unsigned char* bytes, KByteOrder order);
std::int16_t SegyInt16(const unsigned char* bytes, KByteOrder order);
std::uint16_t SegyUInt16(const unsigned char* bytes, KByteOrder order);
std::uint32_t SegyUInt32(const unsigned char* bytes, KByteOrder order);
std::uint64_t SegyUInt64(const unsigned char* bytes, KByteOrder order);
