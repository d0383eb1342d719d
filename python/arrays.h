#pragma once
// Checks of the numpy arrays the module takes: shape, and every value a
// finite number. Each raises ValueError naming the argument.
#include <pybind11/numpy.h>
#include <pybind11/pybind11.h>

#include <cstddef>
#include <vector>

using KDoubles = pybind11::array_t<double, pybind11::array::c_style | pybind11::array::forcecast>;

// obj as a C-ordered float64 array (a copy only when it is not one
// already) of shape (n, k) with minColumns <= k <= maxColumns and
// n >= minRows, every value finite.
KDoubles PointArray(pybind11::handle obj, const char* name, pybind11::ssize_t minColumns,
                    pybind11::ssize_t maxColumns, pybind11::ssize_t minRows);
// obj as a 1-D float64 array of every value finite; of length `length`
// unless it is negative.
KDoubles VectorArray(pybind11::handle obj, const char* name, pybind11::ssize_t length = -1);
// A read-only array over memory that owner keeps alive.
template <class T>
pybind11::array ReadOnlyView(std::vector<pybind11::ssize_t> shape, std::vector<pybind11::ssize_t> strides,
                             const T* data, pybind11::handle owner, pybind11::dtype dtype = pybind11::dtype::of<T>()) {
  pybind11::array view(dtype, std::move(shape), std::move(strides), data, owner);
  pybind11::detail::array_proxy(view.ptr())->flags &= ~pybind11::detail::npy_api::NPY_ARRAY_WRITEABLE_;
  return view;
}
