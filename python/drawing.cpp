#include "python/drawing.h"

#include <pybind11/stl.h>

#include <cmath>
#include <memory>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "model/document/document_summary.h"
#include "model/document/elements.h"
#include "model/document/kcurve.h"
#include "model/document/klayer.h"
#include "model/grid/kxyz_list.h"
#include "python/arrays.h"
#include "python/errors.h"
#include "qt/export/painting_app.h"

namespace py = pybind11;

namespace {

// An entry or a layer is seen through its drawing, which the view keeps
// alive; drawings only ever gain entries and layers.
struct EntryRef {
  py::object owner;   // the Drawing
  std::size_t index;
  const KEntry& Get() const {
    const KPyDrawing& d = owner.cast<const KPyDrawing&>();
    if (index >= d.window.entries.size()) throw py::index_error("the entry is gone");
    return *d.window.entries[index];
  }
};

struct LayerRef {
  py::object owner;   // the Drawing
  KLayer* layer;
};

// The vertices of a polyline: a read-only view of x and y where the curve
// has no z (they lie one stride apart), else a copy with z.
py::object Vertices(const EntryRef& ref, py::handle owner) {
  if (const auto* list = ref.Get().As<KXyzList>()) {
    py::array_t<double> out({static_cast<py::ssize_t>(list->size()), py::ssize_t(3)});
    double* o = out.mutable_data();
    list->ForEach([&](const KOne& p) {
      *o++ = p.x;
      *o++ = p.y;
      *o++ = p.z;
    });
    return out;
  }
  const KCurve* curve = ref.Get().As<KCurve>();
  if (!curve) return py::none();
  const py::ssize_t n = curve->count;
  if (curve->dimension < 3) {
    const auto stride = static_cast<py::ssize_t>(curve->y() - curve->x()) * py::ssize_t(sizeof(double));
    return ReadOnlyView<double>({n, 2}, {py::ssize_t(sizeof(double)), stride}, curve->x(), owner);
  }
  py::array_t<double> out({n, py::ssize_t(3)});
  auto o = out.mutable_unchecked<2>();
  for (py::ssize_t i = 0; i < n; ++i) {
    o(i, 0) = curve->x()[i];
    o(i, 1) = curve->y()[i];
    o(i, 2) = curve->z()[i];
  }
  return out;
}

// Makes layer current in the drawing when given; the next entry goes there.
void SelectLayer(KPyDrawing& d, const std::optional<std::string>& layer) {
  if (!layer) return;
  if (layer->empty()) BadArgument("layer", "wants a name");
  d.window.SelectLayer(*layer);
}

EntryRef AddPolyline(py::object self, py::handle xy, const std::optional<std::string>& layer,
                     const std::string& name, bool closed, py::handle z) {
  KPyDrawing& d = self.cast<KPyDrawing&>();
  const KDoubles v = PointArray(xy, "xy", 2, 3, 2);
  const py::ssize_t n = v.shape(0);
  if (n > 100000000) BadArgument("xy", "has too many vertices");
  std::optional<KDoubles> zs;
  double zConstant = 0;
  const bool hasZ = v.shape(1) == 3 || !z.is_none();
  if (v.shape(1) == 3 && !z.is_none()) BadArgument("z", "given twice: xy has a z column");
  if (!z.is_none()) {
    if (py::isinstance<py::float_>(z) || py::isinstance<py::int_>(z)) {
      zConstant = z.cast<double>();
      if (!std::isfinite(zConstant)) BadArgument("z", "is not a finite number");
    } else {
      zs = VectorArray(z, "z", n);
    }
  }
  auto curve = std::make_unique<KCurve>();
  curve->SetName(name);
  curve->closure = closed ? kClosed : kOpen;
  curve->dimension = hasZ ? 3 : 2;
  curve->Allocate(static_cast<int>(n));
  const auto a = v.unchecked<2>();
  for (py::ssize_t i = 0; i < n; ++i) {
    curve->x()[i] = a(i, 0);
    curve->y()[i] = a(i, 1);
  }
  if (hasZ) {
    double* cz = curve->z();
    for (py::ssize_t i = 0; i < n; ++i) cz[i] = v.shape(1) == 3 ? a(i, 2) : zs ? zs->at(i) : zConstant;
  }
  if (curve->IsClosed()) curve->FillSpareSlots();
  curve->ArcLength();
  const double length = curve->s()[curve->count - 1];
  // The reader's rules: a drawing never holds a polyline it would reject.
  if (!std::isfinite(length)) BadArgument("xy", "its length overflows: coordinates too far apart");
  if (length < 1e-6) BadArgument("xy", "total length below 1e-6");
  SelectLayer(d, layer);
  d.window.AddEntry(kKindPolyline, std::move(curve));
  d.window.ComputeExtent();
  return {self, d.window.entries.size() - 1};
}

EntryRef AddPoints(py::object self, py::handle xyz, const std::optional<std::string>& layer) {
  KPyDrawing& d = self.cast<KPyDrawing&>();
  const KDoubles v = PointArray(xyz, "xyz", 3, 3, 1);
  auto list = std::make_unique<KXyzList>();
  static_assert(sizeof(KXyz) == 3 * sizeof(double));
  list->Assign(reinterpret_cast<const KXyz*>(v.data()), static_cast<std::size_t>(v.shape(0)));
  SelectLayer(d, layer);
  d.window.AddEntry(kKindXyz, std::move(list));
  d.window.ComputeExtent();
  return {self, d.window.entries.size() - 1};
}

void Open(KPyDrawing& d, const std::string& path) {
  // Pictures (BMPIN) are decoded while a drawing is read, as in the programs.
  EnsurePaintingApplication();
  KResult opened;
  {
    py::gil_scoped_release unlocked;
    opened = d.window.Open(path);
  }
  Check(opened);
}

}  // namespace

void RegisterDrawing(py::module_& m) {
  m.attr("VIEW_AND_EDIT") = int{kViewAndEdit};
  m.attr("VIEW_NOT_EDIT") = int{kViewNotEdit};
  m.attr("HIDDEN") = int{kNotViewNotEdit};

  py::class_<LayerRef>(m, "Layer", "A layer of a drawing; seen through the drawing, which it keeps alive.")
      .def_property_readonly("name", [](const LayerRef& l) { return std::string(l.layer->name.str()); },
                             "The layer's path, as the drawing names it.")
      .def_property(
          "state", [](const LayerRef& l) { return l.layer->state; },
          [](LayerRef& l, int state) {
            if (state < kViewAndEdit || state > kNotViewNotEdit)
              BadArgument("state", "wants VIEW_AND_EDIT (0), VIEW_NOT_EDIT (1) or HIDDEN (2)");
            l.layer->state = state;
          },
          "VIEW_AND_EDIT (0), VIEW_NOT_EDIT (1) or HIDDEN (2): hidden layers are not drawn.")
      .def("__repr__", [](const LayerRef& l) {
        return "<quarvel.Layer '" + std::string(l.layer->name.str()) + "' state " + std::to_string(l.layer->state) + ">";
      });

  py::class_<EntryRef>(m, "Entry", "An entry of a drawing; seen through the drawing, which it keeps alive.")
      .def_property_readonly("kind", [](const EntryRef& e) { return std::string(KindName(e.Get().kind)); },
                             "What the entry is: 'polyline', 'point', 'text', 'x,y,z list', ...")
      .def_property_readonly("layer", [](const EntryRef& e) { return std::string(e.Get().layer->name.str()); })
      .def_property_readonly("name", [](const EntryRef& e) { return EntryName(e.Get()); },
                             "A polyline's or point's name, a text's text, an insert's block; else ''.")
      .def_property_readonly("colour", [](const EntryRef& e) { return e.Get().colour; },
                             "The colour as the drawing keeps it: -(r + 256 g + 65536 b), or a palette number.")
      .def_property_readonly(
          "vertices", [](py::object self) { return Vertices(self.cast<const EntryRef&>(), self); },
          "A polyline's vertices: a read-only (n, 2) view of x and y, or an (n, 3) copy with z when the "
          "polyline has z values; an x, y, z list's points as an (n, 3) copy; None for other kinds.")
      .def("__repr__", [](const EntryRef& e) { return "<quarvel.Entry " + QuarvelWindow::Describe(e.Get()) + ">"; });

  py::class_<KPyDrawing>(m, "Drawing",
                         "A drawing: opened from files as the programs open them (the extension chooses the "
                         "reader), added to from Python, saved as a text drawing.")
      .def(py::init([](const std::optional<std::string>& path) {
             auto d = std::make_unique<KPyDrawing>();
             d->window.ComputeExtent();   // empty until something is added
             if (path) Open(*d, *path);
             return d;
           }),
           py::arg("path") = py::none(), "An empty drawing, or the file at path opened into one.")
      .def("open", &Open, py::arg("path"),
           "Adds the file at path: a curve file (.kcx...), a step list (.step...) or a text drawing. Raises "
           "quarvel.Error naming the file when it cannot be opened; what the reader skipped goes to read_issues.")
      .def(
          "read_text",
          [](KPyDrawing& d, const std::string& text) {
            EnsurePaintingApplication();
            d.window.OnOpenDocumentMem(text);
          },
          py::arg("text"), "Adds a drawing given as text.")
      .def(
          "save",
          [](KPyDrawing& d, const std::string& path) {
            KResult saved;
            {
              py::gil_scoped_release unlocked;
              saved = d.window.Save(path);
            }
            Check(saved);
          },
          py::arg("path"), "Writes the drawing as a text drawing; a file there is replaced only once complete.")
      .def_property_readonly(
          "layers",
          [](py::object self) {
            std::vector<LayerRef> out;
            for (KLayer* layer : self.cast<KPyDrawing&>().window.OwnedLayers()) out.push_back({self, layer});
            return out;
          },
          "The layers, in creation order.")
      .def_property_readonly(
          "entries",
          [](py::object self) {
            std::vector<EntryRef> out;
            const std::size_t n = self.cast<const KPyDrawing&>().window.entries.size();
            for (std::size_t i = 0; i < n; ++i) out.push_back({self, i});
            return out;
          },
          "The entries, in drawing order.")
      .def("add_polyline", &AddPolyline, py::arg("xy"), py::kw_only(), py::arg("layer") = py::none(),
           py::arg("name") = "", py::arg("closed") = false, py::arg("z") = py::none(),
           "Adds a polyline of the (n, 2) or (n, 3) array xy (copied), on layer (the current one when None); "
           "z gives every vertex a z value (a number or n of them). Raises ValueError for fewer than 2 "
           "vertices, values that are not finite or a length below 1e-6. Returns the new Entry.")
      .def("add_points", &AddPoints, py::arg("xyz"), py::kw_only(), py::arg("layer") = py::none(),
           "Adds the (n, 3) array xyz (copied) as an x, y, z list. Returns the new Entry.")
      .def_property_readonly(
          "extent",
          [](const KPyDrawing& d) -> py::object {
            const KExtent& e = d.window;
            if (e.minX > e.maxX || e.minY > e.maxY) return py::none();
            return py::make_tuple(e.minX, e.minY, e.maxX, e.maxY);
          },
          "(xmin, ymin, xmax, ymax) of polylines, curve arrays, x, y, z lists and step lists; None when empty.")
      .def_property_readonly(
          "read_issues",
          [](const KPyDrawing& d) {
            std::vector<std::tuple<std::string, std::int64_t, std::string>> out;
            for (const KReadIssue& i : d.window.ReadIssues()) out.emplace_back(i.what, i.offset, i.why);
            return out;
          },
          "What the readers skipped or rejected: (what, byte offset, why), oldest first.");
}
