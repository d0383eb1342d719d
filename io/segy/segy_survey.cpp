#include "io/segy/segy_survey.h"

KResultWith<KSurveyGeometry> ReadSurveyGeometry(KInputFile& file, const KSegyLayout& layout, const KSegyFields& fields,
                                                KHeaderReads reads) {
  if (!fields.Valid())
    return {KResult(KStatus::kRefused, "trace-header field offsets must lie inside the 240-byte header"), {}};
  KSurveyGeometryBuilder builder;
  KHeaderScan scan;
  scan.bytes = fields.End(true);
  scan.count = layout.TracesHolding(scan.bytes);
  scan.reads = reads;
  const KResult read = ScanTraceHeaders(file, layout, scan, [&](std::int64_t, const unsigned char* header,
                                                                 std::int64_t available) {
    const KTraceRow row = RowOf(header, available, fields, layout.traceByteOrder);
    builder.Add(row.m, row.n, ScaledCoordinate(row.x, row.scalar), ScaledCoordinate(row.y, row.scalar));
    return true;
  });
  if (!read) return {read, {}};
  return builder.Finish();
}

std::string SurveyOutlineText(const KSurveyGeometry& geometry) {
  std::string s = "PLINE.outline\r\n";
  for (const KSurveyPoint& p : geometry.outline) s += ShortestText(p.x) + "," + ShortestText(p.y) + "\r\n";
  // "C" closes the polyline on reading.
  s += geometry.kind == KSurveyKind::k3D ? "C\r\n\r\n" : "\r\n\r\n";
  return s;
}
