#pragma once
// quarvel.segy_scan: a SEG-Y file's layout as "quarvel segy --json" reports
// it, with the four trace-header fields of every trace as arrays.
#include <pybind11/pybind11.h>

void RegisterSegy(pybind11::module_& m);
