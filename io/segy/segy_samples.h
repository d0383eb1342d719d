#pragma once
// Trace samples: every format code any revision assigns decoded to double
// (IBM float exactly, IEEE float and double, two's-complement integers of
// 1, 2, 3, 4 and 8 bytes, unsigned ones of 1, 2, 3, 4 and 8), and the
// samples of one trace read with one positioned read, never more of the
// file than that trace.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/files/input_file.h"
#include "io/segy/segy_layout.h"

// The value of a 32-bit IBM float: sign, base-16 exponent biased by 64 and
// a 24-bit fraction. Every IBM float is a double exactly.
double IbmToDouble(std::uint32_t bits);

// Decodes count samples of formatCode stored in order. Codes no revision
// assigns decode as 0; code 4 is the 4-byte integer the panel names it.
void DecodeSegySamples(const unsigned char* bytes, std::size_t count, int formatCode, KByteOrder order,
                       double* out);

// Reads the samples of one trace at a time. The samples are in the byte
// order of the trace headers: the program that wrote a trace wrote both.
class KSegySampleReader {
public:
  KSegySampleReader(KInputFile& file, const KSegyLayout& layout);

  // The samples of trace index into samples(); returns how many the file
  // holds (fewer than layout.samples only for a last trace cut short, 0
  // past the end), or -1 with errno set when reading fails.
  std::int64_t Read(std::int64_t index);
  const std::vector<double>& samples() const { return samples_; }

private:
  KInputFile& file_;
  const KSegyLayout& layout_;
  std::int64_t headerBytes_;
  std::vector<unsigned char> bytes_;
  std::vector<double> samples_;
};
