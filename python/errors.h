#pragma once
// The module's one exception, quarvel.Error (a RuntimeError), carrying the
// message of a failed KResult: the file and the field at fault.
#include <pybind11/pybind11.h>

#include <stdexcept>
#include <string>

#include "platform/base/result.h"

class KResultError : public std::runtime_error {
public:
  using std::runtime_error::runtime_error;
};

// Registers quarvel.Error on the module.
void RegisterErrors(pybind11::module_& m);
// Raises quarvel.Error with the message of result when it failed.
void Check(const KResult& result);
// Raises ValueError naming the argument: "xy: wants an (n, 2) array".
[[noreturn]] void BadArgument(const std::string& argument, const std::string& why);
