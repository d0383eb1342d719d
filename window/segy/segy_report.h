#pragma once
// What is reported of a SEG-Y file's layout, as named values in the order
// "quarvel segy --json" prints them: file, byte_order, format, format_text,
// bytes_per_sample, samples, interval, first_trace, trace_bytes, traces.
// The command and the Python module both take them from here.
#include <cstdint>
#include <string>
#include <variant>
#include <vector>

class KSegyAnalysis;

struct KSegyReportValue {
  std::string key;
  std::variant<std::int64_t, std::string> value;
};

std::vector<KSegyReportValue> SegyLayoutReport(const KSegyAnalysis& analysis);
// The warnings of the analysis as text, in order.
std::vector<std::string> SegyWarningTexts(const KSegyAnalysis& analysis);
