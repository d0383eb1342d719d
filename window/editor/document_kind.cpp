#include "window/editor/document_kind.h"

#include "platform/base/result.h"
#include "io/document/reader_util.h"

namespace {

std::string UpperExtension(const std::string& path) {
  const std::size_t dot = path.rfind('.');
  std::string ext = dot == std::string::npos ? path : path.substr(dot + 1);
  ToUpperAscii(ext);
  return ext;
}

}  // namespace

KDocumentKind DocumentKindOf(const std::string& path) {
  const std::string ext = UpperExtension(path);
  if (StartsWith(ext, "KCX")) return KDocumentKind::kCurves;
  if (StartsWith(ext, "STEP")) return KDocumentKind::kStepList;
  return KDocumentKind::kTextDrawing;
}

KResult CheckTextDrawingName(const std::string& path) {
  const KDocumentKind kind = DocumentKindOf(path);
  if (kind == KDocumentKind::kTextDrawing) return KResult::Ok();
  const char* what = kind == KDocumentKind::kCurves ? "a curve file" : "a STEP file";
  return KResult(KStatus::kRefused, "will not write a text drawing to '" + path + "': a file of that name is read as " +
                                        what + "; choose another name (such as .qvd)");
}
