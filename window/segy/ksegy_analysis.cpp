#include "window/segy/ksegy_analysis.h"

#include <algorithm>
#include <cerrno>
#include <map>
#include <memory>
#include <string>

#include "platform/files/atomic_file.h"
#include "io/segy/segy_format.h"
#include "io/segy/segy_positions.h"
#include "model/document/klayer.h"
#include "model/document/ktext_properties.h"
#include "window/segy/segy_panel_layout.h"

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
  AddCells(PanelCells(dump, available));
  return KResult::Ok();
}

// The cells in the order they are added: the header dump, the format and
// sample count, the trace table and its headings; each names its column.
std::vector<KSegyAnalysis::PendingCell> KSegyAnalysis::PanelCells(const unsigned char* header,
                                                                 std::int64_t available) const {
  std::vector<PendingCell> cells;
  cells.reserve(2 * segy::kTraceHeaderBytes + 8 + 4 * table_.size());
  for (int a = 0; a < segy::kTraceHeaderBytes; ++a) {
    const int d = a % 4, row = a / 4;
    const char* name = a == xOffset ? " x" : a == yOffset ? " y" : a == mOffset ? " m" : a == nOffset ? " n" : nullptr;
    cells.push_back({name ? name : Int(a), name ? 3 : 1, row, 2 * d});
    // A word the file does not hold (a trace cut short) shows "-".
    cells.push_back({a + 4 <= available ? Int(SegyInt32(header + a, layout_.traceByteOrder)) : "-", 2, row, 2 * d + 1});
  }
  cells.push_back({segy::FormatText(formatCode), 2, -1, kFormatColumn});
  cells.push_back({Int(formatCode), 3, -1, kCodeColumn});
  cells.push_back({"num", 1, -1, kNumColumn});
  cells.push_back({Int(samplesPerTrace), 2, -1, kCountColumn});
  for (std::size_t i = 0; i < table_.size(); ++i) {
    const int row = static_cast<int>(i);
    cells.push_back({Int(table_[i].m), 1, row, kTableColumn});
    cells.push_back({Int(table_[i].n), 1, row, kTableColumn + 1});
    cells.push_back({Int(table_[i].x), 2, row, kTableColumn + 2});
    cells.push_back({Int(table_[i].y), 2, row, kTableColumn + 3});
  }
  const char* headings[] = {"m", "n", "x", "y"};
  for (int k = 0; k < 4; ++k) cells.push_back({headings[k], k < 2 ? 1 : 2, -1, kTableColumn + k});
  return cells;
}

KLayer* KSegyAnalysis::LayerOfStyle(int style) const {
  return style == 1 ? buttonLayer : style == 2 ? editLayer : playLayer;
}

void KSegyAnalysis::AddCells(const std::vector<PendingCell>& cells) {
  // Usual places: dump groups 7 apart, labels 2 and values 5 wide; the
  // format and sample count above the dump; the trace table from x 30.
  std::vector<KColumnWish> wishes(kColumnCount);
  for (int d = 0; d < 4; ++d) {
    wishes[2 * d] = {7.0 * d, 2, 0};
    wishes[2 * d + 1] = {7.0 * d + 2, 5, 0};
  }
  const double tableX[] = {30, 32, 34, 39}, tableWidth[] = {2, 2, 5, 5};
  for (int k = 0; k < 4; ++k) wishes[kTableColumn + k] = {tableX[k], tableWidth[k], 0};
  wishes[kCodeColumn] = {0, 2, 0};
  wishes[kFormatColumn] = {2, 5, 0};
  wishes[kNumColumn] = {7, 2, 0};
  wishes[kCountColumn] = {9, 5, 0};
  for (const PendingCell& c : cells) {
    const KTextProperties* properties = LayerOfStyle(c.style)->TextProperties().get();
    if (properties) wishes[c.column].needed = std::max(wishes[c.column].needed, CellWidthFor(c.text, *properties));
  }
  // Every dump group as wide as the widest, so the groups stay a grid.
  for (int k = 2; k < 8; ++k) wishes[k % 2].needed = std::max(wishes[k % 2].needed, wishes[k].needed);
  for (int k = 2; k < 8; ++k) wishes[k].needed = wishes[k % 2].needed;

  const auto band = [&](int first, int count, double startAt) {
    return PlaceColumns(std::vector<KColumnWish>(wishes.begin() + first, wishes.begin() + first + count), startAt);
  };
  std::vector<KPanelColumn> columns = band(0, 8, 0);
  const std::vector<KPanelColumn> top = band(kCodeColumn, 4, 0);
  const std::vector<KPanelColumn> table = band(kTableColumn, 4, std::max(columns.back().End(), top.back().End()));
  columns.insert(columns.end(), table.begin(), table.end());
  columns.insert(columns.end(), top.begin(), top.end());

  // Cells wider than their layer's mark carry their own copy of its text
  // properties, one a layer and width.
  std::map<std::pair<const KLayer*, double>, std::shared_ptr<KTextProperties>> widened;
  for (const PendingCell& c : cells) {
    const KPanelColumn& column = columns[static_cast<std::size_t>(c.column)];
    (c.style == 2 ? valueColumn : labelColumn) = column.x;
    AddPoint(c.text, c.style, c.row);
    KLayer* layer = LayerOfStyle(c.style);
    const std::shared_ptr<KTextProperties>& own = layer->TextProperties();
    if (!own || own->markWidth == column.width) continue;
    std::shared_ptr<KTextProperties>& copy = widened[{layer, column.width}];
    if (!copy) {
      copy = std::make_shared<KTextProperties>(*own);
      copy->markWidth = column.width;
    }
    entries.back()->SetTextProperties(copy);
  }
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
