#pragma once
// Reading test input. Every reader takes a KByteSource made from a file or
// from memory; reader tests derive from ReaderTest and are instantiated over
// both kinds, so both paths are shown to read alike.
#include <gtest/gtest.h>

#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "io/document/kread_context.h"
#include "io/document/open_document.h"
#include "model/document/kones.h"
#include "model/document/read_issue_sink.h"
#include "platform/files/byte_source.h"
#include "tests/support/temp_dir.h"

// A fresh document read from bytes (NULs included) by the keyword
// dispatcher, from memory; where it stopped in *end.
std::unique_ptr<KOnes> ReadDrawing(const std::string& bytes, KBlockEnd* end = nullptr);
std::unique_ptr<KOnes> ReadDrawing(KByteSource& src, KBlockEnd* end = nullptr);

// An element reader's input: the source, the issues it records and the
// context that joins them. Pass ctx to the reader.
struct ElementInput {
  explicit ElementInput(KByteSource source) : src(std::move(source)), sink(issues), ctx{src, nullptr, &sink} {}
  ElementInput(const ElementInput&) = delete;
  ElementInput& operator=(const ElementInput&) = delete;
  // The next token after what the reader consumed.
  std::string NextToken();

  KByteSource src;
  std::vector<KReadIssue> issues;
  KReadIssueSink sink;
  KReadContext ctx;
};

enum class SourceKind { kFile, kMemory };
inline void PrintTo(SourceKind kind, std::ostream* os) { *os << (kind == SourceKind::kFile ? "file" : "memory"); }

class ReaderTest : public ::testing::TestWithParam<SourceKind> {
protected:
  // bytes as a source of the kind under test (a file in the test's folder).
  KByteSource Source(const std::string& bytes);
  // A new element input over bytes; it lives as long as the test.
  ElementInput& Input(const std::string& bytes);
  // A fresh document read from bytes by the dispatcher.
  std::unique_ptr<KOnes> Read(const std::string& bytes, KBlockEnd* end = nullptr);

  TempDir dir;

private:
  int files_ = 0;
  std::vector<std::unique_ptr<ElementInput>> inputs_;
};

std::string SourceKindName(const ::testing::TestParamInfo<SourceKind>& info);

// Runs every TEST_P of suite over a file source and a memory source.
#define INSTANTIATE_READER_TEST(suite) \
  INSTANTIATE_TEST_SUITE_P(Over, suite, ::testing::Values(SourceKind::kFile, SourceKind::kMemory), SourceKindName)
