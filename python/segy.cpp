#include "python/segy.h"

#include <pybind11/numpy.h>
#include <pybind11/stl.h>

#include <cstdint>
#include <limits>
#include <string>
#include <variant>
#include <vector>

#include "io/segy/segy_traces.h"
#include "platform/files/input_file.h"
#include "python/errors.h"
#include "window/segy/ksegy_analysis.h"
#include "window/segy/segy_report.h"

namespace py = pybind11;

namespace {

// A coordinate as the JSON gives it: the integer, or with the scalar applied.
py::object Coordinate(std::int32_t v, std::int16_t scalar, bool scaled) {
  if (scaled) return py::float_(ScaledCoordinate(v, scalar));
  return py::int_(v);
}

py::dict Scan(const std::string& path, bool scaled) {
  KSegyAnalysis analysis;
  std::vector<KTraceRow> rows;
  KResult result;
  {
    py::gil_scoped_release unlocked;
    result = analysis.Create(path);
    if (result) {
      // Every trace: the file's size bounds how many rows there are.
      KResultWith<KInputFile> file = OpenInputFile(path);
      if (!file) {
        result = file;
      } else {
        KResultWith<std::vector<KTraceRow>> read = ReadTraceTable(file.value(), analysis.Layout(), analysis.Fields(),
                                                                  static_cast<std::size_t>(std::numeric_limits<std::int64_t>::max()));
        result = read;
        rows = std::move(read.value());
      }
    }
  }
  Check(result);

  py::dict out;
  for (const KSegyReportValue& v : SegyLayoutReport(analysis))
    std::visit([&](const auto& value) { out[v.key.c_str()] = value; }, v.value);
  py::list table;
  for (const KTraceRow& r : analysis.Table())
    table.append(py::make_tuple(r.m, r.n, Coordinate(r.x, r.scalar, scaled), Coordinate(r.y, r.scalar, scaled)));
  out["table"] = table;
  out["warnings"] = SegyWarningTexts(analysis);

  const auto n = static_cast<py::ssize_t>(rows.size());
  py::array_t<std::int32_t> m(n), nn(n);
  for (py::ssize_t i = 0; i < n; ++i) {
    m.mutable_data()[i] = rows[static_cast<std::size_t>(i)].m;
    nn.mutable_data()[i] = rows[static_cast<std::size_t>(i)].n;
  }
  out["m"] = m;
  out["n"] = nn;
  if (scaled) {
    py::array_t<double> x(n), y(n);
    for (py::ssize_t i = 0; i < n; ++i) {
      const KTraceRow& r = rows[static_cast<std::size_t>(i)];
      x.mutable_data()[i] = ScaledCoordinate(r.x, r.scalar);
      y.mutable_data()[i] = ScaledCoordinate(r.y, r.scalar);
    }
    out["x"] = x;
    out["y"] = y;
  } else {
    py::array_t<std::int32_t> x(n), y(n);
    for (py::ssize_t i = 0; i < n; ++i) {
      x.mutable_data()[i] = rows[static_cast<std::size_t>(i)].x;
      y.mutable_data()[i] = rows[static_cast<std::size_t>(i)].y;
    }
    out["x"] = x;
    out["y"] = y;
  }
  return out;
}

}  // namespace

void RegisterSegy(py::module_& m) {
  m.def("segy_scan", &Scan, py::arg("path"), py::arg("scaled") = false,
        "Reads a SEG-Y file's headers (never its samples): a dict with the keys of 'quarvel segy --json' "
        "(file, byte_order, format, format_text, bytes_per_sample, samples, interval, first_trace, "
        "trace_bytes, traces, table, warnings) and the arrays m, n (int32), x, y (int32; float64 with the "
        "coordinate scalar applied when scaled) of every trace. Runs without the GIL; raises quarvel.Error "
        "naming the file and the field when the headers make no sense.");
}
