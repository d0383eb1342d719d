#include "io/segy/segy_layout.h"

#include <cctype>
#include <cerrno>
#include <cstdio>
#include <string>

#include "io/segy/segy_format.h"

namespace {

using namespace segy;

std::string Quoted(const std::string& path) { return "'" + path + "'"; }

KResult Bad(const std::string& path, const std::string& what) {
  return KResult(KStatus::kBadInput, "SEG-Y file " + Quoted(path) + ": " + what);
}

std::string Num(long long v) { return std::to_string(v); }

// Names the first part of the file header a file of `size` bytes lacks.
std::string MissingPart(std::int64_t size) {
  if (size < kTextualHeaderBytes) return "the textual header (bytes 1-3200)";
  if (size < kSampleInterval + 2) return "the binary header before the sample interval (bytes 3217-3218)";
  if (size < kSampleCount + 2) return "the sample count (bytes 3221-3222)";
  if (size < kFormatCode + 2) return "the data sample format code (bytes 3225-3226)";
  return "the rest of the binary header (bytes 3227-3600)";
}

}  // namespace

KResultWith<KByteOrder> SegyHeaderByteOrder(const std::string& path, const unsigned char* header) {
  const std::uint32_t mark = SegyUInt32(header + kByteOrderWord, KByteOrder::kBig);
  if (mark == kByteOrderMark) return KByteOrder::kBig;
  if (mark == 0x04030201u) return KByteOrder::kLittle;
  const int big = SegyInt16(header + kFormatCode, KByteOrder::kBig);
  const int little = SegyInt16(header + kFormatCode, KByteOrder::kLittle);
  if (BytesPerSample(big) > 0) return KByteOrder::kBig;
  if (BytesPerSample(little) > 0) return KByteOrder::kLittle;
  return {Bad(path, "data sample format code (bytes 3225-3226) is " + Num(big) + " (" + Num(little) +
                        " read little-endian), a code no revision assigns: the trace length is unknown"),
          KByteOrder::kBig};
}

namespace {

// Letters, digits and the stanza punctuation of EBCDIC, as ASCII.
char FromEbcdic(unsigned char c) {
  static const char* const kUpper = "ABCDEFGHI";  // C1..C9
  static const char* const kUpperJ = "JKLMNOPQR";  // D1..D9
  static const char* const kUpperS = "STUVWXYZ";   // E2..E9
  if (c >= 0xC1 && c <= 0xC9) return kUpper[c - 0xC1];
  if (c >= 0xD1 && c <= 0xD9) return kUpperJ[c - 0xD1];
  if (c >= 0xE2 && c <= 0xE9) return kUpperS[c - 0xE2];
  if (c >= 0x81 && c <= 0x89) return static_cast<char>('a' + (c - 0x81));
  if (c >= 0x91 && c <= 0x99) return static_cast<char>('j' + (c - 0x91));
  if (c >= 0xA2 && c <= 0xA9) return static_cast<char>('s' + (c - 0xA2));
  switch (c) {
    case 0x40: return ' ';
    case 0x4D: return '(';
    case 0x5D: return ')';
    case 0x7A: return ':';
    default: return '?';
  }
}

// Whether a record begins with the end stanza, in ASCII or EBCDIC; case
// and blanks inside the stanza do not matter.
bool IsEndStanza(const unsigned char* line, std::size_t n) {
  static const std::string want = [] {
    std::string s;
    for (const char* p = kEndTextStanza; *p; ++p)
      if (*p != ' ') s += static_cast<char>(std::tolower(static_cast<unsigned char>(*p)));
    return s;
  }();
  for (int ebcdic = 0; ebcdic < 2; ++ebcdic) {
    std::string got;
    for (std::size_t i = 0; i < n && got.size() < want.size(); ++i) {
      const char c = ebcdic ? FromEbcdic(line[i]) : static_cast<char>(line[i]);
      if (c != ' ') got += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    if (got == want) return true;
  }
  return false;
}

}  // namespace

KResultWith<int> CountSegyStanzaRecords(KInputFile& file, std::int64_t size) {
  const std::string& path = file.path();
  for (std::int64_t k = 0;; ++k) {
    const std::int64_t start = kFileHeaderBytes + k * kExtendedTextBytes;
    if (start + kExtendedTextBytes > size || k >= 32767)
      return {Bad(path, "extended textual header count (bytes 3505-3506) is -1 (ended by a " +
                            std::string(kEndTextStanza) + " stanza), but no such stanza starts a record before "
                            "the end of the file"), 0};
    unsigned char line[80];
    const std::int64_t got = file.ReadAt(start, line, sizeof line);
    if (got < 0) return {ErrnoResult(KStatus::kCannotOpen, "cannot read", path, errno), 0};
    if (IsEndStanza(line, static_cast<std::size_t>(got))) return static_cast<int>(k + 1);
  }
}

KResultWith<KSegyLayout> ReadSegyLayout(KInputFile& file, KWarningSink* warnings) {
  KSegyLayout layout;
  const std::string& path = file.path();
  layout.path = path;
  layout.fileSize = file.size();
  const std::int64_t size = layout.fileSize;
  if (size < kFileHeaderBytes)
    return {Bad(path, "the file ends at byte " + Num(size) + ", inside " + MissingPart(size) +
                          "; a SEG-Y file opens with a 3600-byte header"), layout};
  unsigned char header[kFileHeaderBytes];
  const std::int64_t got = file.ReadAt(0, header, sizeof header);
  if (got < 0) return {ErrnoResult(KStatus::kCannotOpen, "cannot read", path, errno), layout};
  if (got < kFileHeaderBytes)
    return {Bad(path, "the file ends at byte " + Num(got) + ", inside " + MissingPart(got)), layout};

  KResultWith<KByteOrder> order = SegyHeaderByteOrder(path, header);
  if (!order) return {order, layout};
  const KByteOrder bo = order.value();
  layout.byteOrder = bo;
  layout.traceByteOrder = bo;
  layout.formatCode = SegyInt16(header + kFormatCode, bo);
  layout.bytesPerSample = BytesPerSample(layout.formatCode);
  if (layout.bytesPerSample == 0)
    return {Bad(path, "data sample format code (bytes 3225-3226) is " + Num(layout.formatCode) +
                          ", a code no revision assigns: the trace length is unknown"), layout};
  layout.interval = SegyInt16(header + kSampleInterval, bo);
  layout.samples = SegyUInt16(header + kSampleCount, bo);
  layout.revisionMajor = header[kRevision];  // one byte, the same in both orders
  const bool revision2 = layout.revisionMajor >= 2;
  std::string samplesField = "sample count (bytes 3221-3222)";
  if (revision2) {
    if (const std::uint32_t extended = SegyUInt32(header + kExtSampleCount, bo); extended != 0) {
      layout.samples = extended;
      samplesField = "extended sample count (bytes 3269-3272)";
    }
    layout.extraTraceHeaders = SegyUInt16(header + kExtraTraceHeaders, bo);
  }
  if (layout.samples == 0)
    return {Bad(path, "sample count (bytes 3221-3222) is 0: a trace would be its 240-byte header alone"), layout};

  // Extended textual headers: a count, or -1 for "up to the end stanza".
  const int textCount = SegyInt16(header + kExtTextCount, bo);
  if (textCount == -1) {
    KResultWith<int> counted = CountSegyStanzaRecords(file, size);
    if (!counted) return {counted, layout};
    layout.extendedTextHeaders = counted.value();
  } else if (textCount < 0) {
    return {Bad(path, "extended textual header count (bytes 3505-3506) is " + Num(textCount) +
                          "; only -1 or a count of 0 or more means anything"), layout};
  } else {
    layout.extendedTextHeaders = textCount;
  }
  layout.firstTrace = kFileHeaderBytes + kExtendedTextBytes * layout.extendedTextHeaders;
  if (layout.firstTrace > size)
    return {Bad(path, "extended textual header count (bytes 3505-3506) is " + Num(textCount) + ": " +
                          Num(kExtendedTextBytes * layout.extendedTextHeaders) +
                          " bytes of headers, past the end of the file at byte " + Num(size)), layout};
  if (revision2) {
    const std::uint64_t first = SegyUInt64(header + kFirstTraceField, bo);
    if (first != 0) {
      if (first > static_cast<std::uint64_t>(size) || first < static_cast<std::uint64_t>(layout.firstTrace))
        return {Bad(path, "first trace offset (bytes 3521-3528) is " + std::to_string(first) +
                              (first > static_cast<std::uint64_t>(size)
                                   ? ", past the end of the file at byte " + Num(size)
                                   : ", inside the headers that end at byte " + Num(layout.firstTrace))), layout};
      layout.firstTrace = static_cast<std::int64_t>(first);
    }
  }

  // At most 65536 headers of 240 bytes and 2^32 samples of 8 bytes: the
  // sum stays far inside 64 bits.
  const std::int64_t headers = segy::kTraceHeaderBytes * (1 + layout.extraTraceHeaders);
  layout.traceLength = headers + layout.samples * layout.bytesPerSample;
  const std::int64_t body = size - layout.firstTrace;
  layout.traces = body / layout.traceLength;
  layout.leftover = body % layout.traceLength;
  const std::string traceText = Num(layout.traceLength) + " bytes (" + Num(headers) + " of header" +
                                (layout.extraTraceHeaders ? "s" : "") + " + " + Num(layout.samples) +
                                " samples of " + Num(layout.bytesPerSample) + " bytes, format " +
                                Num(layout.formatCode) + ")";
  const std::string lengthField = headers > body ? "extra trace header count (bytes 3507-3508) is " +
                                                       Num(layout.extraTraceHeaders) + ": it gives"
                                                 : samplesField + " gives";
  if (layout.traces == 0 && body >= segy::kTraceHeaderBytes)
    return {Bad(path, lengthField + " traces of " + traceText + ", longer than the " +
                          Num(body) + " bytes from the first trace to the end of the file"), layout};
  // Sound from here on: what remains are warnings.
  const auto warn = [&](const std::string& what) {
    if (warnings) warnings->Warn({{}, {}, {}, Quoted(path) + ": " + what});
  };
  if (body == 0) warn("no traces: the file ends with its header");
  if (layout.leftover != 0)
    warn(Num(layout.leftover) + " bytes after the last of " + Num(layout.traces) + " whole traces of " + traceText +
         ": a trace cut short, or sizes that disagree");
  if (revision2) {
    const std::uint64_t declared = SegyUInt64(header + kTraceCountField, bo);
    if (declared != 0 && declared != static_cast<std::uint64_t>(layout.traces))
      warn("trace count (bytes 3513-3520) is " + std::to_string(declared) + ", the file holds " +
           Num(layout.traces) + " whole traces");
  }
  // A binary header written in one byte order and trace headers in the
  // other: the first trace's own sample count and interval tell.
  unsigned char own[4];
  if (body >= kTraceSampleCount + 4 && file.ReadAt(layout.firstTrace + kTraceSampleCount, own, 4) == 4) {
    const KByteOrder other = bo == KByteOrder::kBig ? KByteOrder::kLittle : KByteOrder::kBig;
    const struct {
      const unsigned char* bytes;
      std::uint16_t binary;
      const char* name;
    } pairs[] = {{own, static_cast<std::uint16_t>(layout.samples), "sample count (bytes 115-116)"},
                 {own + 2, static_cast<std::uint16_t>(layout.interval), "sample interval (bytes 117-118)"}};
    for (const auto& p : pairs) {
      const std::uint16_t mine = SegyUInt16(p.bytes, bo), theirs = SegyUInt16(p.bytes, other);
      if (mine != p.binary && theirs == p.binary && mine != theirs) {
        layout.traceByteOrder = other;
        warn(std::string("the first trace's ") + p.name + " reads " + Num(mine) + ", but " + Num(theirs) +
             " as in the binary header in the other byte order: the trace headers are read " +
             (other == KByteOrder::kBig ? "big-endian" : "little-endian") + ", unlike the binary header");
        break;
      }
    }
  }
  return layout;
}

KResultWith<KSegyLayout> ReadSegyLayout(const std::string& path, KWarningSink* warnings) {
  KResultWith<KInputFile> file = OpenInputFile(path);
  if (!file) return {file, KSegyLayout{}};
  return ReadSegyLayout(file.value(), warnings);
}
