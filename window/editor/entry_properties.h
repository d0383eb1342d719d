#pragma once
// What the properties panel shows of an entry and the edits it can ask for.
// Only what the record has is offered: a polyline has a name, width, code
// and a z per vertex; a point a label and one z; every entry a colour and a
// layer.
#include <optional>
#include <string>
#include <vector>

#include "model/document/document_summary.h"

struct KEntry;

struct KEntryProperties {
  std::string kind;   // "polyline", "point", ...
  std::string layer;  // the layer's path
  int red = 0, green = 0, blue = 0;
  bool editable = false;  // its layer is in view and edit
  bool hasName = false, hasWidthAndCode = false, hasZ = false;
  bool movable = false;   // may be moved to another layer
  std::string name;       // a polyline's name, a point's label
  double width = 0.0;
  int code = 0;
  std::vector<double> z;  // a polyline's per vertex; a point's one value
  friend bool operator==(const KEntryProperties&, const KEntryProperties&) = default;
};

// Kind as the status bar and the panel show it (the name: EntryName).
const char* EntryKindName(int kind);
KEntryProperties PropertiesOf(const KEntry& entry);

// A change to an entry; fields left empty stay as they are. z is either one
// value for every vertex or one value a vertex.
struct KEntryEdit {
  std::optional<int> red, green, blue;
  std::optional<std::string> name;
  std::optional<double> width;
  std::optional<int> code;
  std::optional<std::vector<double>> z;
  std::optional<std::string> layer;  // created (view and edit) when new
};

// Whether edit fits the entry; why says how it does not.
bool EntryEditFits(const KEntry& entry, const KEntryEdit& edit, std::string& why);
// Applies edit to the entry's record and colour (not its layer); false with
// why set when a value does not fit the entry (a z list of the wrong
// length, a colour component outside 0..255, a width below 0 or not a
// number), and nothing is changed then.
bool ApplyEntryEdit(KEntry& entry, const KEntryEdit& edit, std::string& why);
