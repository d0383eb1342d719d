#pragma once
// A SEG-Y file on a button panel: the 240 header words of the first trace,
// the format and sample count, and m, n, x, y of the first 60 traces; and
// the source positions of all traces written as polylines. Only trace
// headers are read, never samples.
//
// Beyond reading the headers literally as big-endian with the first trace
// at byte 3600, the file's real layout is used (io/segy/segy_layout.h): the
// byte order is detected, extended textual headers and the revision-2
// fields move the first trace and lengthen traces, the bytes per sample
// follow the revision-2 format table, and the sample count is unsigned.
// For a big-endian revision-1 file without extended textual headers the
// cells and outputs are the same either way.
#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "platform/base/result.h"
#include "platform/base/warning.h"
#include "io/segy/segy_layout.h"
#include "io/segy/segy_traces.h"
#include "window/button/kbutton.h"

class KProgressSink;

class KSegyAnalysis : public KButton {
public:
  // Rows of the trace table.
  static constexpr std::size_t kTableRows = 60;

  KSegyAnalysis();
  ~KSegyAnalysis() override;

  std::int64_t firstTrace = 3600;  // file offset of the first trace header
  int xOffset = 72;                // byte offsets of x, y, m and n in a trace header
  int yOffset = 76;
  int formatCode = 0;
  int mOffset = 20;
  int nOffset = 8;
  std::int64_t samplesPerTrace = 0;
  std::int64_t bytesPerSample = 2;
  std::string path;

  // Stores the path and refills the panel from the file. Fails (leaving the
  // panel empty) when the file cannot be opened or its headers make no
  // sense, with a message naming the file and the field; what is suspicious
  // but readable goes to Warnings().
  KResult Create(const std::string& path);
  // Writes the four field offsets as a "[Parameter]" file.
  KResult Write(const std::string& outPath) const;
  // Writes the source positions of every trace of the file given to Create
  // as polylines, one per run of equal n; no new polyline starts after the
  // byte position limit. With scaled, the coordinate scalar is applied.
  KResult WriteXY(const std::string& outPath, double limit = std::numeric_limits<double>::infinity(),
                  KProgressSink* progress = nullptr, bool scaled = false) const;
  // The same text in memory (for showing the positions as a drawing).
  KResultWith<std::string> PositionsText(bool scaled = false) const;

  // What Create found.
  const KSegyLayout& Layout() const { return layout_; }
  const std::vector<KWarning>& Warnings() const { return warnings_.items(); }
  const std::vector<KTraceRow>& Table() const { return table_; }
  KSegyFields Fields() const {
    KSegyFields f = fieldSizes_;
    f.x = xOffset, f.y = yOffset, f.m = mOffset, f.n = nOffset;
    return f;
  }
  // Chooses the four words (offsets into the members above, and sizes);
  // Create reads them.
  void SetFields(const KSegyFields& fields) {
    xOffset = fields.x, yOffset = fields.y, mOffset = fields.m, nOffset = fields.n;
    fieldSizes_ = fields;
  }

private:
  // Columns of the panel: 0-7 the dump's four label and value pairs, then
  // the table's m, n, x and y, then the format code, its text, "num" and
  // the sample count above the dump.
  static constexpr int kTableColumn = 8, kCodeColumn = 12, kFormatColumn = 13, kNumColumn = 14, kCountColumn = 15,
                       kColumnCount = 16;
  struct PendingCell {
    std::string text;
    int style, row, column;
  };
  std::vector<PendingCell> PanelCells(const unsigned char* header, std::int64_t available) const;
  void AddCells(const std::vector<PendingCell>& cells);
  KLayer* LayerOfStyle(int style) const;

  KSegyLayout layout_;
  KSegyFields fieldSizes_;  // the sizes of the words; their offsets are the members above
  KWarningList warnings_;
  std::vector<KTraceRow> table_;
};
