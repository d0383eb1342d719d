// Filling a document from text drawings, STEP files, curve files and text in
// memory. None of them clears the document first.
#include "io/document/open_document.h"

#include <cstring>

#include "model/curves/kcurve_array.h"
#include "model/document/elements.h"
#include "io/document/decoded_files.h"
#include "io/document/kread_context.h"
#include "io/document/record_readers.h"
#include "model/document/kones.h"
#include "model/document/read_issue_sink.h"
#include "platform/files/byte_source.h"
#include "platform/base/c_locale.h"
#include "platform/base/progress.h"

KBlockEnd ReadBlock(KOnes& doc, KByteSource& src, KProgressSink* progress, int depth) {
  KReadIssueSink issues(doc.MutableReadIssues());
  KDecodedFiles decoded;
  KReadContext ctx{src, progress, &issues};
  ctx.decoded = &decoded;
  return ReadBlock(doc, ctx, depth);
}

KBlockEnd ReadTextFrom(KOnes& doc, KByteSource& src, KProgressSink* progress) {
  if (progress) progress->SetTotal(src.Length());
  const KBlockEnd result = ReadBlock(doc, src, progress, 0);
  if (progress) progress->SetPos(src.Position());
  return result;
}

KBlockEnd ReadStepFrom(KOnes& doc, KByteSource& src) {
  KReadIssueSink issues(doc.MutableReadIssues());
  KDecodedFiles decoded;
  KReadContext ctx{src, nullptr, &issues};
  ctx.decoded = &decoded;
  {
    KCLocaleScope cLocale;
    doc.AddEntry(kKindStepList, ReadStepList(ctx));
  }
  return ReadBlock(doc, ctx, 0);
}

void ReadCurvesFrom(KOnes& doc, KByteSource& src) {
  KReadIssueSink issues(doc.MutableReadIssues());
  KReadContext ctx{src, nullptr, &issues};
  std::unique_ptr<KCurveArray> curves;
  {
    KCLocaleScope cLocale;
    curves = ReadCurveFile(ctx);
  }
  if (!curves) curves = std::make_unique<KCurveArray>();
  doc.AddEntry(kKindCurveArray, std::move(curves));
}

KResultWith<KBlockEnd> OpenTextFile(KOnes& doc, const std::string& path, KProgressSink* progress) {
  KResultWith<KByteSource> src = KByteSource::FromFile(path);
  if (!src) return KResult(src);
  return ReadTextFrom(doc, src.value(), progress);
}

KBlockEnd OpenMemory(KOnes& doc, const std::string& text) {
  KByteSource src = KByteSource::FromMemory(std::string(text.c_str(), std::strlen(text.c_str())));
  return ReadBlock(doc, src, nullptr, 0);
}

KResultWith<KBlockEnd> OpenStepFile(KOnes& doc, const std::string& path) {
  KResultWith<KByteSource> src = KByteSource::FromFile(path);
  if (!src) return KResult(src);
  return ReadStepFrom(doc, src.value());
}

KResult OpenCurveFile(KOnes& doc, const std::string& path) {
  KResultWith<KByteSource> src = KByteSource::FromFile(path);
  if (!src) return KResult(src);
  ReadCurvesFrom(doc, src.value());
  return KResult::Ok();
}
