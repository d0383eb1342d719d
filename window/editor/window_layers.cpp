// Layers from the editor: their states, new layers, where new entries go,
// and entry properties, each change one undo step.
#include <algorithm>
#include <cctype>

#include "model/document/klayer.h"
#include "window/editor/quarvel_window.h"

namespace {
constexpr const char* kDefaultLayer = "0";

// Why path cannot name a new layer ("" when it can). A layer is a leaf of
// the path tree, and its name must read back from a saved drawing as one
// word.
std::string LayerNameProblem(const std::string& path) {
  if (path.empty()) return "a layer needs a name";
  if (path.back() == '\\') return "'" + path + "' names a group, not a layer";
  if (path.front() == '\\' || path.find("\\\\") != std::string::npos) return "'" + path + "' has an empty part";
  for (unsigned char c : path)
    if (std::isspace(c) || c == ',' || std::iscntrl(c)) return "a layer name has no blanks, commas or control characters";
  std::size_t start = 0;
  for (std::size_t slash; (slash = path.find('\\', start)) != std::string::npos; start = slash + 1)
    if (slash - start > KTree<KLayer>::kMaxComponent) return "a part of '" + path + "' is too long";
  if (path.size() - start > KTree<KLayer>::kMaxComponent) return "a part of '" + path + "' is too long";
  return "";
}
}  // namespace

bool QuarvelWindow::SetLayerState(KLayer& layer, int state) {
  if (layer.state == state || state < kViewAndEdit || state > kNotViewNotEdit) return false;
  history_.Begin(*this, {}, "Layer " + layer.name.str());
  history_.ChangingLayer(&layer);
  layer.state = state;
  history_.Commit(*this);
  modified_ = true;
  return true;
}

KLayer* QuarvelWindow::NewLayer(const std::string& path, std::string* why) {
  if (const std::string problem = LayerNameProblem(path); !problem.empty()) {
    if (why) *why = problem;
    return nullptr;
  }
  // A group of that name would be shadowed by the leaf; refuse it too.
  bool group = false;
  layers.EnumeratePaths("", [&](const std::string& p, KLayer*) { group = group || p.rfind(path + "\\", 0) == 0; });
  if (group && !layers.LookupPath(path)) {
    if (why) *why = "'" + path + "' is a group";
    return nullptr;
  }
  SelectLayer(path);
  return CurrentLayer();
}

void QuarvelWindow::ChooseNewEntryLayer(KLayer* layer) {
  chosenLayer_ = layer;
  if (layer) SetCurrentLayer(layer);
}

KLayer* QuarvelWindow::LayerForNewEntries() {
  if (!NewEntryLayer()) SelectLayer(kDefaultLayer);
  KLayer* target = NewEntryLayer();
  if (target->state == kViewAndEdit) return target;
  const std::string why = "The current layer '" + target->name.str() + "' is " +
                          (target->state == kNotViewNotEdit ? "hidden" : "not editable");
  const std::optional<std::string> answer = host_ ? host_->AskLayer(*this, why) : std::nullopt;
  if (!answer) return target;
  if (answer->empty()) return nullptr;
  KLayer* chosen = layers.LookupPath(*answer);
  // Only a layer that shows the entries and lets them be edited will do.
  if (chosen && chosen->state != kViewAndEdit) return nullptr;
  if (!chosen) chosen = NewLayer(*answer);
  if (chosen) ChooseNewEntryLayer(chosen);
  return chosen;
}

void QuarvelWindow::PlaceNewEntries(std::size_t from, const std::string& what) {
  const auto first = entries.begin() + static_cast<std::ptrdiff_t>(std::min(from, entries.size()));
  const KLayer* target = NewEntryLayer();
  if (std::all_of(first, entries.end(), [target](const std::unique_ptr<KEntry>& e) {
        return e->layer == target && target->state == kViewAndEdit;
      }))
    return;
  KLayer* layer = LayerForNewEntries();
  if (!layer) {
    entries.erase(first, entries.end());
    input_.Note("Not added: no layer was chosen for the " + what);
    return;
  }
  for (auto it = first; it != entries.end(); ++it) (*it)->layer = layer;
  // No host to ask: they stay where they went, and the user is told.
  if (layer->state != kViewAndEdit)
    input_.Note("The " + what + " went to the " + (layer->state == kNotViewNotEdit ? "hidden" : "locked") +
                " layer '" + layer->name.str() + "'");
}

bool QuarvelWindow::EditEntry(KEntry& entry, const KEntryEdit& edit, std::string& why) {
  why.clear();
  if (!EntryEditFits(entry, edit, why)) return false;
  KLayer* target = entry.layer;
  if (edit.layer && *edit.layer != entry.layer->name.view()) {
    if (!PropertiesOf(entry).movable) {
      why = "only a polyline or a point moves to another layer";
      return false;
    }
    target = layers.LookupPath(*edit.layer);
    if (!target) {
      // Made without becoming current: new entries keep going where they went.
      KLayer* current = CurrentLayer();
      target = NewLayer(*edit.layer, &why);
      SetCurrentLayer(current);
      if (!target) return false;
    }
  }
  history_.Begin(*this, {}, "Properties");
  history_.ChangingEntry(&entry);
  if (!ApplyEntryEdit(entry, edit, why)) {
    history_.Commit(*this);  // nothing changed: no step is kept
    return false;
  }
  entry.layer = target;
  const bool changed = history_.Commit(*this);
  if (changed) modified_ = true;
  return changed;
}
