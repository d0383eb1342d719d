#include "window/segy/ksegy_analysis.h"

#include <algorithm>
#include <cerrno>
#include <string>

#include "platform/files/atomic_file.h"
#include "io/segy/segy_format.h"
#include "io/segy/segy_positions.h"

namespace {

// The header dump shows the 4-byte word at every byte offset of the first
// trace header, so the last words reach 3 bytes past it.
constexpr std::int64_t kDumpBytes = segy::kTraceHeaderBytes + 3;

std::string Int(std::int64_t v) { return std::to_string(v); }

}  // namespace

KSegyAnalysis::KSegyAnalysis() {
  minX = 0;
  maxX = 40;
  minY = -22.3;
  maxY = 2.1;
  Initial(2, 5);
}

KSegyAnalysis::~KSegyAnalysis() = default;

KResult KSegyAnalysis::Create(const std::string& file) {
  path = file;
  entries.clear();
  table_.clear();
  layout_ = KSegyLayout{};
  warnings_.clear();
  KResultWith<KInputFile> input = OpenInputFile(file);
  if (!input) return input;
  KResultWith<KSegyLayout> read = ReadSegyLayout(input.value(), &warnings_);
  if (!read) return read;
  layout_ = std::move(read.value());
  firstTrace = layout_.firstTrace;
  formatCode = layout_.formatCode;
  samplesPerTrace = layout_.samples;
  bytesPerSample = layout_.bytesPerSample;

  unsigned char dump[kDumpBytes] = {};
  const std::int64_t available = std::max<std::int64_t>(
      0, input.value().ReadAt(firstTrace, dump, static_cast<std::size_t>(
                                                    std::min<std::int64_t>(kDumpBytes, layout_.fileSize - firstTrace))));
  KResultWith<std::vector<KTraceRow>> rows = ReadTraceTable(input.value(), layout_, Fields(), kTableRows);
  if (!rows) return rows;
  table_ = std::move(rows.value());

  AddHeaderDump(dump, available);
  labelColumn = 0;
  valueColumn = 2;
  AddPoint(segy::FormatText(formatCode), 2, -1);
  AddPoint(Int(formatCode), 3, -1);
  labelColumn = 7;
  valueColumn = 9;
  AddPoint("num", 1, -1);
  AddPoint(Int(samplesPerTrace), 2, -1);
  AddTraceTable();
  return KResult::Ok();
}

void KSegyAnalysis::AddHeaderDump(const unsigned char* header, std::int64_t available) {
  for (int a = 0; a < segy::kTraceHeaderBytes; ++a) {
    const int d = a % 4;
    labelColumn = 7 * d;
    valueColumn = 7 * d + 2;
    const int row = a / 4;
    if (a == xOffset)
      AddPoint(" x", 3, row);
    else if (a == yOffset)
      AddPoint(" y", 3, row);
    else if (a == mOffset)
      AddPoint(" m", 3, row);
    else if (a == nOffset)
      AddPoint(" n", 3, row);
    else
      AddPoint(Int(a), 1, row);
    // A word the file does not hold (a trace cut short) shows "-".
    AddPoint(a + 4 <= available ? Int(SegyInt32(header + a, layout_.traceByteOrder)) : "-", 2, row);
  }
}

void KSegyAnalysis::AddTraceTable() {
  for (std::size_t i = 0; i < table_.size(); ++i) {
    const int row = static_cast<int>(i);
    labelColumn = 30;
    AddPoint(Int(table_[i].m), 1, row);
    labelColumn = 32;
    AddPoint(Int(table_[i].n), 1, row);
    valueColumn = 34;
    AddPoint(Int(table_[i].x), 2, row);
    valueColumn = 39;
    AddPoint(Int(table_[i].y), 2, row);
  }
  labelColumn = 30;
  AddPoint("m", 1, -1);
  labelColumn = 32;
  AddPoint("n", 1, -1);
  valueColumn = 34;
  AddPoint("x", 2, -1);
  valueColumn = 39;
  AddPoint("y", 2, -1);
}

KResult KSegyAnalysis::Write(const std::string& outPath) const {
  return WriteFileAtomically(outPath, "[Parameter]\nx=" + Int(xOffset) + "\ny=" + Int(yOffset) + "\nm=" +
                                         Int(mOffset) + "\nn=" + Int(nOffset) + "\n\n");
}

KResult KSegyAnalysis::WriteXY(const std::string& outPath, double limit, KProgressSink* progress,
                               bool scaled) const {
  if (path.empty()) return KResult(KStatus::kRefused, "no SEG-Y file to write positions of: Create has not run");
  // The file is read again as it is now, with its layout checked again.
  KResultWith<KInputFile> input = OpenInputFile(path);
  if (!input) return input;
  KResultWith<KSegyLayout> layout = ReadSegyLayout(input.value());
  if (!layout) return layout;
  KPositionsOptions options;
  options.fields = Fields();
  options.limit = limit;
  options.scaled = scaled;
  KAtomicFile out(outPath);
  if (!out.ok()) return out.Commit();  // no scan when the output cannot be made
  const KResult written = WritePositions(input.value(), layout.value(), options,
                                         [&](std::string_view text) { out.Write(text); }, progress);
  if (!written) return written;
  return out.Commit();
}

KResultWith<std::string> KSegyAnalysis::PositionsText(bool scaled) const {
  if (path.empty()) return {KResult(KStatus::kRefused, "no SEG-Y file: Create has not run"), std::string()};
  KResultWith<KInputFile> input = OpenInputFile(path);
  if (!input) return {input, std::string()};
  KResultWith<KSegyLayout> layout = ReadSegyLayout(input.value());
  if (!layout) return {layout, std::string()};
  KPositionsOptions options;
  options.fields = Fields();
  options.scaled = scaled;
  std::string text;
  const KResult written =
      WritePositions(input.value(), layout.value(), options, [&](std::string_view s) { text += s; });
  if (!written) return {written, std::move(text)};
  return text;
}
