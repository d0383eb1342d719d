#pragma once
// quarvel.Drawing: a drawing window's document without a window, opened
// and saved as the programs do, its layers and entries seen from Python.
#include <pybind11/pybind11.h>

#include "window/editor/quarvel_window.h"

struct KPyDrawing {
  QuarvelWindow window;
};

void RegisterDrawing(pybind11::module_& m);
