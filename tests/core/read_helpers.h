#pragma once
// Helpers for reading drawings held in test strings.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include <unistd.h>

#include "document/io/open_document.h"
#include "document/kones.h"
#include "platform/byte_source.h"

// Reads bytes (NULs included) into a fresh document; where it stopped in *end.
inline std::unique_ptr<KOnes> ReadDrawing(const std::string& bytes, KBlockEnd* end = nullptr) {
  auto doc = std::make_unique<KOnes>();
  KByteSource src = KByteSource::FromMemory(bytes);
  const KBlockEnd stopped = ReadBlock(*doc, src);
  if (end) *end = stopped;
  return doc;
}

// A file under the test temp folder holding bytes; removed with the object.
class TempFile {
public:
  TempFile(const std::string& name, const std::string& bytes)
      : path_((std::filesystem::temp_directory_path() / ("quarvel_test_" + std::to_string(::getpid()) + "_" + name)).string()) {
    std::ofstream(path_, std::ios::binary) << bytes;
  }
  ~TempFile() { std::remove(path_.c_str()); }
  TempFile(const TempFile&) = delete;
  TempFile& operator=(const TempFile&) = delete;
  const std::string& path() const { return path_; }

private:
  std::string path_;
};
