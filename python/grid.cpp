#include "python/grid.h"

#include <pybind11/numpy.h>
#include <pybind11/stl.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "io/fxy/fxy_driver.h"
#include "io/grid/net_file_reader.h"
#include "io/grid/net_file_writer.h"
#include "io/grid/net_node_grid.h"
#include "model/contour/contour.h"
#include "model/grid/kcreate_grid.h"
#include "platform/files/atomic_file.h"
#include "python/arrays.h"
#include "python/drawing.h"
#include "python/errors.h"

namespace py = pybind11;

namespace {

// A grid made here keeps the engine's grid, so that its net file is the
// one "quarvel grid" writes; a grid read from a net file keeps the file.
struct KPyGrid {
  std::shared_ptr<const KCreateGrid> made;
  std::string netBytes;
  KNodeGrid nodes;
};

// Reports to Python while the gridding runs without the GIL: every tenth
// sweep it takes the GIL to let Python handle signals (Ctrl-C raises
// KeyboardInterrupt) and to call the progress callback; either raising
// ends the run, and the exception is raised once the run is over.
class KPyStatus : public KFxyStatus {
public:
  explicit KPyStatus(py::object progress) : progress_(std::move(progress)) {}
  void Text(int, int, const std::string&) override {}
  void Progress(const KFxyProgress& p) override { Poll(&p); }
  KFxyAnswer Ask() override { return stopped_ ? KFxyAnswer::kEnd : KFxyAnswer::kContinue; }
  bool StopRequested() override {
    Poll(nullptr);
    return stopped_;
  }
  // Raises what ended the run, if Python did; call with the GIL held.
  void RaisePending() {
    if (error_) throw std::move(*error_);
  }

private:
  void Poll(const KFxyProgress* p) {
    if (stopped_) return;
    py::gil_scoped_acquire locked;
    try {
      if (PyErr_CheckSignals() != 0) throw py::error_already_set();
      if (p && !progress_.is_none()) progress_(p->level, p->levels, p->sweep, p->change, p->precision);
    } catch (py::error_already_set& e) {
      error_.emplace(std::move(e));
      stopped_ = true;
    }
  }

  py::object progress_;
  std::optional<py::error_already_set> error_;
  bool stopped_ = false;
};

KFxyDialogData::Solver SolverOf(const std::string& name) {
  if (name == "sweep") return KFxyDialogData::Solver::kSweep;
  if (name == "fast") return KFxyDialogData::Solver::kFast;
  BadArgument("solver", "wants 'sweep' or 'fast'");
}

// The keywords grid and grid_drawing share.
struct GridKeywords {
  std::optional<std::array<double, 4>> box;
  std::optional<int> numX, times;
  std::optional<double> precision, smooth;
  std::string solver = "sweep";
  int threads = 0;
  py::object progress = py::none();
};

KFxyOptions OptionsOf(const GridKeywords& k) {
  KFxyOptions o;
  if (k.box) {
    const auto& b = *k.box;
    for (double v : b)
      if (!std::isfinite(v)) BadArgument("box", "wants finite numbers");
    if (!(b[0] < b[2] && b[1] <= b[3])) BadArgument("box", "wants (xmin, ymin, xmax, ymax) with xmin < xmax, ymin <= ymax");
  }
  if (k.precision && !(std::isfinite(*k.precision) && *k.precision >= 0)) BadArgument("precision", "wants a number >= 0");
  if (k.smooth && !(std::isfinite(*k.smooth) && *k.smooth >= 0)) BadArgument("smooth", "wants a number >= 0");
  if (k.threads < 0 || k.threads > 1024) BadArgument("threads", "wants 0 (every core) to 1024");
  o.box = k.box;
  o.numX = k.numX;
  o.times = k.times;
  o.precision = k.precision;
  o.smooth = k.smooth;
  o.solver = SolverOf(k.solver);
  o.threads = k.threads > 0 ? k.threads : static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
  return o;
}

// Runs the levels without the GIL; raises what stopped or failed them.
KPyGrid Run(const KFxyInput& in, KFxyDialogData& d, const GridKeywords& k) {
  ApplyFxyOptions(OptionsOf(k), d);
  KPyStatus status(k.progress);
  std::unique_ptr<KCreateGrid> made;
  KPyGrid out;
  KResult result;
  {
    py::gil_scoped_release unlocked;
    const KResultWith<KFxyRun> run = RunFxyLevels(in, d, status, made);
    result = run;
    if (made) out.nodes = NodeGridFromGrid(*made);
  }
  status.RaisePending();
  Check(result);
  out.made = std::move(made);
  return out;
}

KFxyCurve CurveOf(py::handle xy, const std::string& name) {
  const KDoubles v = PointArray(xy, name.c_str(), 2, 2, 2);
  KFxyCurve c;
  const auto a = v.unchecked<2>();
  for (py::ssize_t i = 0; i < v.shape(0); ++i) {
    c.x.push_back(a(i, 0));
    c.y.push_back(a(i, 1));
  }
  return c;
}

KPyGrid GridArrays(py::handle x, py::handle y, py::handle z, const std::vector<py::object>& faults,
                   const std::vector<py::object>& outlines, const GridKeywords& k) {
  const KDoubles xs = VectorArray(x, "x");
  const KDoubles ys = VectorArray(y, "y", xs.shape(0));
  const KDoubles zs = VectorArray(z, "z", xs.shape(0));
  if (xs.shape(0) == 0) BadArgument("x", "wants at least one point");
  KFxyInput in;
  in.points.resize(static_cast<std::size_t>(xs.shape(0)));
  for (std::size_t i = 0; i < in.points.size(); ++i) {
    in.points[i].x = xs.data()[i];
    in.points[i].y = ys.data()[i];
    in.points[i].z = zs.data()[i];
  }
  // Named as the drawing's unnamed breaks are: their index + 10000.
  for (std::size_t i = 0; i < faults.size(); ++i) {
    in.breaks.push_back(CurveOf(faults[i], "faults[" + std::to_string(i) + "]"));
    in.breaks.back().name = std::to_string(i + 10000);
  }
  for (std::size_t i = 0; i < outlines.size(); ++i)
    in.outlines.push_back(CurveOf(outlines[i], "outlines[" + std::to_string(i) + "]"));
  KFxyDialogData d;
  ProposeFxyGrid(in, d);
  return Run(in, d, k);
}

KPyGrid GridDrawing(const KPyDrawing& drawing, const std::string& points, const std::string& faults,
                    const std::string& outline, const GridKeywords& k) {
  KFxyDialogData d;
  d.layerNames = KFxyLayerNames{points, faults, outline};
  // A layer other than the default must be there, as for `quarvel grid`.
  const KFxyLayerNames defaults = DefaultFxyLayerNames();
  KFxyLayerChoice named;
  for (int role = 0; role < 3; ++role) {
    named.Role(role).clear();
    if (d.layerNames.Role(role).front() != defaults[static_cast<std::size_t>(role)])
      named.Role(role) = d.layerNames.Role(role);
  }
  if (const std::vector<std::string> missing = MissingFxyLayers(drawing.window, named); !missing.empty())
    throw py::value_error("the drawing has no layer '" + missing.front() + "'");
  const KFxyInput in = BeginFxy(drawing.window, d);
  return Run(in, d, k);
}

KPyGrid FromNet(const std::string& path) {
  KPyGrid g;
  KNetFile net;
  KResult read;
  {
    py::gil_scoped_release unlocked;
    read = ReadNetFile(path, net, &g.netBytes);
    if (read) g.nodes = NodeGridFromNet(net);
  }
  Check(read);
  return g;
}

void ToNet(const KPyGrid& g, const std::string& path) {
  KResult written;
  {
    py::gil_scoped_release unlocked;
    written = g.made ? WriteNetFile(*g.made, path) : WriteFileAtomically(path, g.netBytes);
  }
  Check(written);
}

// An (ny, nx) read-only view of one value per node, row 0 at the smallest y.
template <class T>
py::array NodeView(py::object self, const std::vector<T>& v, py::dtype dtype) {
  const KNodeGrid& n = self.cast<const KPyGrid&>().nodes;
  const auto size = py::ssize_t(sizeof(T));
  if (v.size() != static_cast<std::size_t>(n.nx) * static_cast<std::size_t>(n.ny))
    return py::array(dtype, {py::ssize_t(n.ny), py::ssize_t(n.nx)});   // nothing cut: zeros
  return ReadOnlyView<T>({n.ny, n.nx}, {n.nx * size, size}, v.data(), self, dtype);
}

py::list Contours(const KPyGrid& g, const std::vector<double>& levels) {
  py::list out;
  for (double level : levels) {
    if (!std::isfinite(level)) BadArgument("levels", "wants finite numbers");
    KContourLevels one;
    one.start = level;
    one.step = 1;
    one.first = one.last = 0;
    std::vector<KContourLine> lines;
    {
      py::gil_scoped_release unlocked;
      lines = TraceContours(g.nodes, one);
    }
    for (const KContourLine& line : lines) {
      py::array_t<double> xy({py::ssize_t(line.x.size()), py::ssize_t(2)});
      auto a = xy.mutable_unchecked<2>();
      for (std::size_t i = 0; i < line.x.size(); ++i) {
        a(py::ssize_t(i), 0) = line.x[i];
        a(py::ssize_t(i), 1) = line.y[i];
      }
      out.append(py::make_tuple(level, xy));
    }
  }
  return out;
}

py::array_t<double> Axis(int count, double origin, double step) {
  py::array_t<double> a(count);
  for (int i = 0; i < count; ++i) a.mutable_data()[i] = origin + i * step;
  return a;
}

constexpr const char* kKeywordsDoc =
    "box=(xmin, ymin, xmax, ymax) (default: the outlines', else the points' extent), num_x nodes across the "
    "first level (12), times levels each twice as fine (5), precision of each level (the z range / 1000), "
    "smooth weight (0), solver 'sweep' or 'fast', threads (0: every core; the result does not depend on it), "
    "progress: called as progress(level, levels, sweep, change, precision) every tenth sweep; raising in it "
    "ends the gridding with that exception. Runs without the GIL; Ctrl-C raises KeyboardInterrupt. Raises "
    "quarvel.Error when the values make no usable grid or the gridding diverges.";

}  // namespace

void RegisterGrid(py::module_& m) {
  py::class_<KPyGrid>(m, "Grid", "A gridded surface: node values and the links faults cut.")
      .def_property_readonly("nx", [](const KPyGrid& g) { return g.nodes.nx; })
      .def_property_readonly("ny", [](const KPyGrid& g) { return g.nodes.ny; })
      .def_property_readonly(
          "values", [](py::object self) { return NodeView(self, self.cast<const KPyGrid&>().nodes.values, py::dtype::of<double>()); },
          "(ny, nx) float64, row 0 at the smallest y: a read-only view of the grid's values.")
      .def_property_readonly(
          "x", [](const KPyGrid& g) { return Axis(g.nodes.nx, g.nodes.x0, g.nodes.dx); }, "The nodes' x (nx,).")
      .def_property_readonly(
          "y", [](const KPyGrid& g) { return Axis(g.nodes.ny, g.nodes.y0, g.nodes.dy); }, "The nodes' y (ny,).")
      .def_property_readonly(
          "cut_x", [](py::object self) { return NodeView(self, self.cast<const KPyGrid&>().nodes.cutX, py::dtype("bool")); },
          "(ny, nx) bool, read-only: the link from node [j, i] to [j, i + 1] is cut by a fault.")
      .def_property_readonly(
          "cut_y", [](py::object self) { return NodeView(self, self.cast<const KPyGrid&>().nodes.cutY, py::dtype("bool")); },
          "(ny, nx) bool, read-only: the link from node [j, i] to [j + 1, i] is cut by a fault.")
      .def("to_net", &ToNet, py::arg("path"),
           "Writes the grid as a net file, the same bytes as 'quarvel grid' writes; a file there is replaced only "
           "once complete.")
      .def_static("from_net", &FromNet, py::arg("path"), "Reads a net file, checking its structure.")
      .def("contours", &Contours, py::arg("levels"),
           "Contour lines at each level: a list of (level, (n, 2) array of x, y), copies. A line never crosses "
           "a cut link: it stops at faults.");

  m.def(
      "grid",
      [](py::handle x, py::handle y, py::handle z, std::optional<std::array<double, 4>> box, std::optional<int> numX,
         std::optional<int> times, const std::vector<py::object>& faults, const std::vector<py::object>& outlines,
         std::string solver, std::optional<double> precision, std::optional<double> smooth, int threads,
         py::object progress) {
        return GridArrays(x, y, z, faults, outlines, {box, numX, times, precision, smooth, solver, threads, progress});
      },
      py::arg("x"), py::arg("y"), py::arg("z"), py::kw_only(), py::arg("box") = py::none(),
      py::arg("num_x") = py::none(), py::arg("times") = py::none(), py::arg("faults") = std::vector<py::object>(),
      py::arg("outlines") = std::vector<py::object>(), py::arg("solver") = "sweep", py::arg("precision") = py::none(),
      py::arg("smooth") = py::none(), py::arg("threads") = 0, py::arg("progress") = py::none(),
      (std::string("Grids the points x, y, z (1-D arrays of one length) by minimum curvature; faults are (n, 2) "
                   "arrays the surface breaks along, outlines (n, 2) arrays that set the box. ") +
       kKeywordsDoc)
          .c_str());
  m.def(
      "grid_drawing",
      [](const KPyDrawing& drawing, const std::string& points, const std::string& faults, const std::string& outline,
         std::optional<std::array<double, 4>> box, std::optional<int> numX, std::optional<int> times, std::string solver,
         std::optional<double> precision, std::optional<double> smooth, int threads, py::object progress) {
        return GridDrawing(drawing, points, faults, outline,
                           {box, numX, times, precision, smooth, solver, threads, progress});
      },
      py::arg("drawing"), py::kw_only(), py::arg("points") = "f(x,y)\\xyz", py::arg("faults") = "f(x,y)\\break",
      py::arg("outline") = "f(x,y)\\outline", py::arg("box") = py::none(), py::arg("num_x") = py::none(),
      py::arg("times") = py::none(), py::arg("solver") = "sweep", py::arg("precision") = py::none(),
      py::arg("smooth") = py::none(), py::arg("threads") = 0, py::arg("progress") = py::none(),
      (std::string("Grids a drawing as 'quarvel grid' does: points from the layer points (polyline vertices and "
                   "x, y, z lists), break lines from faults, the box from outline. ") +
       kKeywordsDoc)
          .c_str());
}
