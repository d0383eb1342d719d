#include "python/arrays.h"

#include <cmath>
#include <string>

#include "python/errors.h"

namespace py = pybind11;

namespace {

KDoubles AsDoubles(py::handle obj, const char* name) {
  if (obj.is_none()) BadArgument(name, "wants an array, not None");
  KDoubles a = KDoubles::ensure(obj);
  if (!a) {
    PyErr_Clear();
    BadArgument(name, "wants an array of numbers");
  }
  return a;
}

void CheckFinite(const KDoubles& a, const char* name) {
  const double* v = a.data();
  for (py::ssize_t i = 0; i < a.size(); ++i)
    if (!std::isfinite(v[i])) BadArgument(name, "value " + std::to_string(i) + " is not a finite number");
}

std::string Shape(const KDoubles& a) {
  std::string s = "(";
  for (py::ssize_t d = 0; d < a.ndim(); ++d) s += (d ? ", " : "") + std::to_string(a.shape(d));
  return s + (a.ndim() == 1 ? ",)" : ")");
}

}  // namespace

KDoubles PointArray(py::handle obj, const char* name, py::ssize_t minColumns, py::ssize_t maxColumns,
                    py::ssize_t minRows) {
  KDoubles a = AsDoubles(obj, name);
  const std::string want = minColumns == maxColumns ? std::to_string(minColumns)
                                                    : std::to_string(minColumns) + " or " + std::to_string(maxColumns);
  if (a.ndim() != 2 || a.shape(1) < minColumns || a.shape(1) > maxColumns)
    BadArgument(name, "wants an (n, " + want + ") array, not shape " + Shape(a));
  if (a.shape(0) < minRows) BadArgument(name, "wants at least " + std::to_string(minRows) + " rows");
  CheckFinite(a, name);
  return a;
}

KDoubles VectorArray(py::handle obj, const char* name, py::ssize_t length) {
  KDoubles a = AsDoubles(obj, name);
  if (a.ndim() != 1) BadArgument(name, "wants a 1-D array, not shape " + Shape(a));
  if (length >= 0 && a.shape(0) != length)
    BadArgument(name, "wants " + std::to_string(length) + " values, not " + std::to_string(a.shape(0)));
  CheckFinite(a, name);
  return a;
}
