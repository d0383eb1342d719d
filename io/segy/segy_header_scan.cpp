#include "io/segy/segy_header_scan.h"

#include <algorithm>
#include <cerrno>
#include <vector>

#include "io/segy/segy_format.h"

namespace {

constexpr std::int64_t kBlockBytes = 4 << 20;

using Visit = std::function<bool(std::int64_t, const unsigned char*, std::int64_t)>;

KResult ReadFailed(const KSegyLayout& layout) {
  return ErrnoResult(KStatus::kCannotOpen, "cannot read", layout.path, errno);
}

KResult PerTrace(KInputFile& file, const KSegyLayout& layout, const KHeaderScan& scan, const Visit& visit) {
  unsigned char header[segy::kTraceHeaderBytes];
  for (std::int64_t i = 0; i < scan.count; ++i) {
    const std::int64_t left = layout.fileSize - layout.TraceStart(i);
    const std::int64_t want = std::clamp<std::int64_t>(left, 0, scan.bytes);
    const std::int64_t got = want > 0 ? file.ReadAt(layout.TraceStart(i), header, static_cast<std::size_t>(want)) : 0;
    if (got < 0) return ReadFailed(layout);
    if (!visit(i, header, got)) break;
  }
  return KResult::Ok();
}

// Each block starts at a trace header and ends after the wanted bytes of
// the last header it holds, so no header straddles two blocks.
KResult Blocks(KInputFile& file, const KSegyLayout& layout, const KHeaderScan& scan, const Visit& visit) {
  const std::int64_t perBlock = std::max<std::int64_t>(1, (kBlockBytes - scan.bytes) / layout.traceLength + 1);
  // No block reads past the end of the file, so the buffer never needs more
  // than the file holds after the first header: a small file whose header
  // promises many traces gets a small buffer, not a cleared 4 MB one.
  const std::int64_t held = std::max<std::int64_t>(1, layout.fileSize - layout.TraceStart(0));
  std::vector<unsigned char> block(
      static_cast<std::size_t>(std::min((perBlock - 1) * layout.traceLength + scan.bytes, held)));
  for (std::int64_t first = 0; first < scan.count; first += perBlock) {
    const std::int64_t n = std::min(perBlock, scan.count - first);
    const std::int64_t start = layout.TraceStart(first);
    const std::int64_t want = std::min((n - 1) * layout.traceLength + scan.bytes, layout.fileSize - start);
    const std::int64_t got = want > 0 ? file.ReadAt(start, block.data(), static_cast<std::size_t>(want)) : 0;
    if (got < 0) return ReadFailed(layout);
    for (std::int64_t j = 0; j < n; ++j) {
      const std::int64_t at = j * layout.traceLength;
      const std::int64_t available = std::clamp<std::int64_t>(got - at, 0, scan.bytes);
      // A header the file does not hold points nowhere past the buffer.
      const unsigned char* header = available > 0 ? block.data() + at : block.data();
      if (!visit(first + j, header, available)) return KResult::Ok();
    }
  }
  return KResult::Ok();
}

}  // namespace

KResult ScanTraceHeaders(KInputFile& file, const KSegyLayout& layout, const KHeaderScan& scan, const Visit& visit) {
  if (scan.count <= 0) return KResult::Ok();
  if (scan.bytes < 1 || scan.bytes > segy::kTraceHeaderBytes || layout.traceLength < segy::kTraceHeaderBytes)
    return KResult(KStatus::kRefused, "a trace-header scan reads 1 to 240 bytes of each header");
  const bool blocks = scan.reads == KHeaderReads::kBlocks ||
                      (scan.reads == KHeaderReads::kAuto && layout.traceLength <= kBlockReadTraceLimit);
  return blocks ? Blocks(file, layout, scan, visit) : PerTrace(file, layout, scan, visit);
}
