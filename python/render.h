#pragma once
// quarvel.render and quarvel.render_array.
#include <pybind11/numpy.h>
#include <pybind11/pybind11.h>

void RegisterRender(pybind11::module_& m);
