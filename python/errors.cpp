#include "python/errors.h"

void RegisterErrors(pybind11::module_& m) {
  pybind11::register_exception<KResultError>(m, "Error", PyExc_RuntimeError);
  m.attr("Error").attr("__doc__") =
      "A Quarvel operation failed; the message names the file and the field at fault.";
}

void Check(const KResult& result) {
  if (!result) throw KResultError(result.message());
}

void BadArgument(const std::string& argument, const std::string& why) {
  throw pybind11::value_error(argument + ": " + why);
}
