#pragma once
// Filling a document: text drawings, STEP files (a step list, then a
// drawing), curve files and text held in memory. None clears the document
// first; what a reader skips or rejects goes to the document's readIssues.
#include <string>

#include "platform/base/result.h"

class KByteSource;
class KCurveArray;
class KOnes;
class KProgressSink;
struct KReadContext;

// Where the keyword dispatcher stopped. Not a failure either way: an
// outermost ENDNEW ends a drawing early on purpose.
enum class KBlockEnd {
  kEndOfInput,
  kEndNew,
};

// A file that cannot be opened (missing, unreadable, a directory or anything
// else that is not a regular file) fails with kCannotOpen and a message
// naming it; the document is then unchanged. Otherwise the value says where
// the drawing part stopped.
KResultWith<KBlockEnd> OpenTextFile(KOnes& doc, const std::string& path, KProgressSink* progress = nullptr);
KResultWith<KBlockEnd> OpenStepFile(KOnes& doc, const std::string& path);
KResult OpenCurveFile(KOnes& doc, const std::string& path);
// text is taken up to its first NUL byte, as a C string would be.
KBlockEnd OpenMemory(KOnes& doc, const std::string& text);

// The same readers over an input already open (memory, or a file opened by
// the caller); they cannot fail.
KBlockEnd ReadTextFrom(KOnes& doc, KByteSource& src, KProgressSink* progress = nullptr);
KBlockEnd ReadStepFrom(KOnes& doc, KByteSource& src);
void ReadCurvesFrom(KOnes& doc, KByteSource& src);

// Runs the keyword dispatcher over src until ENDNEW or the end of input.
// Issues go to doc's readIssues.
KBlockEnd ReadBlock(KOnes& doc, KByteSource& src, KProgressSink* progress = nullptr, int depth = 0);
// The same with an explicit context: a nested block reads with its outer
// document's context, so its issues land in the outermost document.
KBlockEnd ReadBlock(KOnes& doc, KReadContext& ctx, int depth);

// The top-level polylines of the text drawing at path into array. Fails,
// leaving the array unchanged, when the file cannot be opened (kCannotOpen)
// or when no polyline survived (kBadInput).
KResult ReadCurveArray(KCurveArray& array, const std::string& path);
