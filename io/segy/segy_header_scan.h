#pragma once
// Visiting the trace headers of a SEG-Y file in order. When traces are
// small the file is read sequentially in large blocks and each header is
// taken from its block (reading a whole page costs about what one read per
// trace costs); when traces are far apart, one read per header.
#include <cstdint>
#include <functional>

#include "platform/base/result.h"
#include "platform/files/input_file.h"
#include "io/segy/segy_layout.h"

enum class KHeaderReads { kAuto, kBlocks, kPerTrace };

struct KHeaderScan {
  std::int64_t count = 0;  // traces from the first: 0 to count - 1
  int bytes = 240;         // leading bytes of each header the visitor needs (1-240)
  KHeaderReads reads = KHeaderReads::kAuto;
};

// Block reads are chosen when one trace is at most this long.
constexpr std::int64_t kBlockReadTraceLimit = 16 * 1024;

// Calls visit(index, header, available) for each trace in order, where
// available is the bytes of the header the file holds (fewer than
// scan.bytes only for a last trace cut short); stops early when visit
// returns false. Fails (naming the file) only when reading fails. Both
// ways of reading give the same calls.
KResult ScanTraceHeaders(KInputFile& file, const KSegyLayout& layout, const KHeaderScan& scan,
                         const std::function<bool(std::int64_t, const unsigned char*, std::int64_t)>& visit);
