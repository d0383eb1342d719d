#include "tests/support/reading.h"

#include "io/document/lexer.h"
#include "io/document/open_document.h"
#include "tests/support/file_bytes.h"

std::unique_ptr<KOnes> ReadDrawing(KByteSource& src, KBlockEnd* end) {
  auto doc = std::make_unique<KOnes>();
  const KBlockEnd stopped = ReadBlock(*doc, src);
  if (end) *end = stopped;
  return doc;
}

std::unique_ptr<KOnes> ReadDrawing(const std::string& bytes, KBlockEnd* end) {
  KByteSource src = KByteSource::FromMemory(bytes);
  return ReadDrawing(src, end);
}

std::string ElementInput::NextToken() {
  std::string token;
  ReadToken(src, token);
  return token;
}

KByteSource ReaderTest::Source(const std::string& bytes) {
  if (GetParam() == SourceKind::kMemory) return KByteSource::FromMemory(bytes);
  KResultWith<KByteSource> src = KByteSource::FromFile(dir.Write("input" + std::to_string(files_++), bytes));
  EXPECT_TRUE(src.ok()) << src.message();
  return std::move(src.value());
}

ElementInput& ReaderTest::Input(const std::string& bytes) {
  inputs_.push_back(std::make_unique<ElementInput>(Source(bytes)));
  return *inputs_.back();
}

std::unique_ptr<KOnes> ReaderTest::Read(const std::string& bytes, KBlockEnd* end) {
  KByteSource src = Source(bytes);
  return ReadDrawing(src, end);
}

std::string SourceKindName(const ::testing::TestParamInfo<SourceKind>& info) {
  return info.param == SourceKind::kFile ? "File" : "Memory";
}
