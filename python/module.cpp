// The Python module "quarvel".
#include <pybind11/pybind11.h>

#include "python/drawing.h"
#include "python/errors.h"
#include "python/grid.h"
#include "python/render.h"
#include "python/segy.h"

PYBIND11_MODULE(quarvel, m) {
  m.doc() =
      "Quarvel's drawings, gridding, SEG-Y headers and rendering, with numpy arrays. Failures raise "
      "quarvel.Error naming the file and the field; bad arguments raise ValueError.";
  m.attr("__version__") = QUARVEL_VERSION;
  RegisterErrors(m);
  RegisterDrawing(m);
  RegisterRender(m);
  RegisterGrid(m);
  RegisterSegy(m);
}
