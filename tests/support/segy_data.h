#pragma once
// SEG-Y test files: the small ones generated into the repository
// (tests/data/segy/make_segy.py), the shared real ones (QUARVEL_SEGY_DATA)
// with their flattened ground truth, and the positions text of a file.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "io/segy/segy_layout.h"
#include "io/segy/segy_positions.h"

inline std::string GeneratedSegy(const std::string& name) {
  return std::string(QUARVEL_TEST_DATA) + "/segy/generated/" + name;
}

// The positions text of a file, as written by WritePositions.
inline std::string SegyPositionsText(const std::string& path, KPositionsOptions options = {}) {
  KResultWith<KInputFile> file = OpenInputFile(path);
  EXPECT_TRUE(file) << file.message();
  if (!file) return {};
  KResultWith<KSegyLayout> layout = ReadSegyLayout(file.value());
  EXPECT_TRUE(layout) << layout.message();
  if (!layout) return {};
  std::string text;
  const KResult written =
      WritePositions(file.value(), layout.value(), options, [&](std::string_view s) { text += s; });
  EXPECT_TRUE(written) << written.message();
  return text;
}

inline std::string SegyData(const std::string& relative = "") {
  return std::string(QUARVEL_SEGY_DATA) + (relative.empty() ? "" : "/" + relative);
}

#define SKIP_WITHOUT_SEGY_DATA()                                                   \
  if (!std::filesystem::is_directory(SegyData("files")))                          \
  GTEST_SKIP() << "no SEG-Y test files at " << SegyData()

// One line of tests/data/segy/ground_truth.tsv.
struct KSegyTruth {
  std::string file, byteOrder;
  long long format = 0, samples = 0, interval = 0, firstTrace = 0, traces = 0, leftover = 0;
  long long first[4] = {}, last[4] = {};  // m, n, x, y
};

inline std::vector<KSegyTruth> SegyTruth() {
  std::vector<KSegyTruth> rows;
  std::ifstream in(std::string(QUARVEL_TEST_DATA) + "/segy/ground_truth.tsv");
  std::string line;
  std::getline(in, line);  // headings
  while (std::getline(in, line)) {
    std::istringstream fields(line);
    KSegyTruth t;
    std::getline(fields, t.file, '\t');
    fields >> t.byteOrder >> t.format >> t.samples >> t.interval >> t.firstTrace >> t.traces >> t.leftover;
    for (long long& v : t.first) fields >> v;
    for (long long& v : t.last) fields >> v;
    rows.push_back(t);
  }
  return rows;
}

// Names in expected/ are the path under files/ with '/' replaced by "__".
inline std::string ExpectedName(std::string file) {
  for (std::size_t at; (at = file.find('/')) != std::string::npos;) file.replace(at, 1, "__");
  return file;
}
