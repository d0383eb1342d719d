// libFuzzer target: any bytes as a SEG-Y file, read into the panel,
// written as positions, its textual headers and survey geometry read.
// Build with -DQUARVEL_FUZZ=ON (clang).
#include <cstdint>
#include <string>
#include <string_view>

#include "io/segy/segy_positions.h"
#include "io/segy/segy_survey.h"
#include "io/segy/segy_text.h"
#include "tests/fuzz/fuzz_file.h"
#include "window/segy/ksegy_analysis.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // The reader takes a path, as the command line gives it.
  const std::string& path = FuzzInputFile(data, size);
  KResultWith<KInputFile> file = OpenInputFile(path);
  if (!file) return 0;
  (void)ReadSegyText(file.value());  // read even when the layout is refused
  KSegyAnalysis panel;
  if (!panel.Create(path)) return 0;  // any verdict will do; it must not crash
  std::size_t written = 0;
  KPositionsOptions options;
  options.scaled = size % 2 == 0;
  (void)WritePositions(file.value(), panel.Layout(), options, [&](std::string_view s) { written += s.size(); });
  const KHeaderReads reads = size % 3 == 0 ? KHeaderReads::kPerTrace : KHeaderReads::kAuto;
  (void)ReadSurveyGeometry(file.value(), panel.Layout(), panel.Fields(), reads);
  return 0;
}
