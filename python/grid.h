#pragma once
// quarvel.Grid, quarvel.grid and quarvel.grid_drawing: the gridding that
// "quarvel grid" runs, on numpy arrays or a drawing's layers.
#include <pybind11/pybind11.h>

void RegisterGrid(pybind11::module_& m);
