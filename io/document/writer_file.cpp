// SaveToFile: the document's text goes out through the platform's atomic
// file, which decides how the target is written and reports why it failed.
#include "model/document/kones.h"
#include "io/document/writer_parts.h"
#include "platform/files/atomic_file.h"

namespace {

// The writer's sink over an output file.
class KFileOutput : public KOutput {
public:
  explicit KFileOutput(const std::string& path) : file_(path) {}
  void Write(std::string_view bytes) override { file_.Write(bytes); }
  bool ok() const override { return file_.ok(); }
  KResult Commit() { return file_.Commit(); }

private:
  KAtomicFile file_;
};

}  // namespace

KResult SaveToFile(KOnes& doc, const std::string& path, KProgressSink* progress) {
  KFileOutput file(path);
  if (!file.ok()) return file.Commit();
  KLayerMoves moves;
  WriteDocumentText(file, doc, moves, progress);
  KResult result = file.Commit();
  if (result) moves.Apply();
  return result;
}
