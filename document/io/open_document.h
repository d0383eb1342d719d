#pragma once
// Filling a document: text drawings, STEP files (a step list, then a
// drawing), curve files and text held in memory. None clears the document
// first; what a reader skips or rejects goes to the document's readIssues.
#include <string>

class KByteSource;
class KCurveArray;
class KOnes;
class KProgressSink;
struct KReadContext;

// Each returns 0 and leaves the document unchanged when the file cannot be
// opened. OpenTextFile and OpenMemory return what ReadBlock returned (2 after
// an outermost ENDNEW, else 0); OpenStepFile likewise; OpenCurveFile 1.
int OpenTextFile(KOnes& doc, const std::string& path, KProgressSink* progress = nullptr);
// text is taken up to its first NUL byte, as a C string would be.
int OpenMemory(KOnes& doc, const std::string& text);
int OpenStepFile(KOnes& doc, const std::string& path);
int OpenCurveFile(KOnes& doc, const std::string& path);

// The same readers over an input the caller has opened already (so the
// caller can tell "cannot open" from "read nothing").
int ReadTextFrom(KOnes& doc, KByteSource& src, KProgressSink* progress = nullptr);
int ReadStepFrom(KOnes& doc, KByteSource& src);
int ReadCurvesFrom(KOnes& doc, KByteSource& src);

// Runs the keyword dispatcher over src until ENDNEW (result 2) or the end of
// input (result 0). Issues go to doc's readIssues.
int ReadBlock(KOnes& doc, KByteSource& src, KProgressSink* progress = nullptr, int depth = 0);
// The same with an explicit context: a nested block reads with its outer
// document's context, so its issues land in the outermost document.
int ReadBlock(KOnes& doc, KReadContext& ctx, int depth);

// The top-level polylines of the text drawing at path into array; 1 if at
// least one survived, else 0 with the array unchanged.
int ReadCurveArray(KCurveArray& array, const std::string& path);
