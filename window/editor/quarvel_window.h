#pragma once
// The object a host creates to get a drawing window: at once the document
// and its view, with the view and the interaction as parts of their own.
// The host owns the real window and forwards paint, mouse and key messages
// to it.
#include <array>
#include <string>

#include "model/document/kextent.h"
#include "model/document/kones.h"
#include "io/fxy/fxy_driver.h"
#include "platform/base/result.h"
#include "render/view/kview_transform.h"
#include "window/editor/entry_properties.h"
#include "window/editor/input_controller.h"
#include "window/editor/undo_history.h"
#include "window/editor/window_host.h"
#include "window/editor/window_view.h"

class KDevice;
class KProgressSink;

class QuarvelWindow : public KOnes, public KExtent {
  // The parts first: the names below refer into them.
  KWindowView view_;
  KInputController input_{*this, *this, view_};

public:
  QuarvelWindow();
  ~QuarvelWindow() override;
  // Not copied: the names below refer into this window's own parts.
  QuarvelWindow(const QuarvelWindow&) = delete;
  QuarvelWindow& operator=(const QuarvelWindow&) = delete;

  // The view: the transform, whether it is fitted, what the latest paint
  // found (window/editor/window_view.h).
  KWindowView& ViewPart() { return view_; }
  const KWindowView& ViewPart() const { return view_; }
  // The interaction: mode, clicks, rubber band, the curve being drawn, the
  // picked entry, and the handlers with typed outcomes
  // (window/editor/input_controller.h).
  KInputController& Input() { return input_; }
  const KInputController& Input() const { return input_; }

  // The names hosts know, kept as references into the parts.
  KViewTransform& view = view_.transform;
  int& viewState = input_.viewState;  // the menu command id of the current mode; 0 none
  int& clickCount = input_.clickCount;
  // First click, second click, current cursor position.
  std::array<KDevicePoint, 3>& rubberBand = input_.rubberBand;

  // Opening: the extension chooses the reader ("KCX..." curves, "STEP..."
  // step file, else a text drawing), then the extent is recomputed. Fails
  // with the reader's message ("cannot open 'x.qvd': Is a directory"),
  // leaving the document unchanged, when the file cannot be opened; what the
  // reader skipped goes to readIssues and is no failure.
  KResult Open(const std::string& path, KProgressSink* progress = nullptr);

  // The host's entry points keep the host's int codes and are built on the
  // result: 1 when opened, 0 when the file cannot be opened (Open gives the
  // reason). OnOpenDocumentMem returns 2 after an outermost ENDNEW, else 0.
  int OnOpenDocument(const std::string& path, KProgressSink* progress = nullptr);
  int OnOpenDocumentMem(const std::string& text);
  int OnOpenDocumentStep(const std::string& path);
  int OnOpenDocumentCurves(const std::string& path);

  // Saving as a text drawing through KAtomicFile (platform/files/atomic_file.h).
  // Fails with a message naming the file and the reason ("cannot write
  // 'x.qvd': No space left on device"), leaving the document unchanged.
  // progress, when given, counts the entries written.
  KResult Save(const std::string& path, KProgressSink* progress = nullptr);
  // The host's entry point: 1 when saved, 0 when not (Save gives the reason).
  int OnSaveDocument(const std::string& path);

  // Recomputes minX..maxY from polylines, curve arrays, x, y, z lists and
  // step lists; sentinels 1e300 / -1e300 when nothing counts.
  void ComputeExtent();

  // Drawing (window/editor/window_draw.cpp). Each paint draws with a renderer of
  // its own onto the device given; the window keeps no device between
  // paints.
  void OnDraw(KDevice* device);
  // Fits the view to the extent in the client area of the latest paint
  // (before any paint, the first paint fits).
  void Extend() { view_.Fit(*this); }
  // Deletes in the rectangle of the first two rubber-band points, undoably.
  void Delete();
  // Hands what it removes to removed when given, else destroys it.
  int DeleteInRect(double minX, double minY, double maxX, double maxY,
                   std::vector<std::unique_ptr<KEntry>>* removedEntries = nullptr);
  std::string GetRemark(KDevicePoint point) const;
  void SetViewStateClick() { viewState = kCmdClick; }
  // A mode chosen from a menu bar or tool bar: a curve half drawn is
  // finished and a pending click forgotten first.
  void ChooseMode(int id) { input_.ChooseMode(id); }

  // The host's int entry points over the input's handlers
  // (KInputController). Flags are not used, but for OnLButtonDown. Results: 1 the view or document
  // changed, 0 nothing to redraw (a finished curve and menu commands
  // included), -1 after a curve modification, the pick index in "Click"
  // mode. OnKeyUp and OnLButtonUpStep always answer 0, even when the view
  // moved or a step ran.
  // A held Shift (kMouseShift in flags) snaps a digitised or measured point.
  int OnLButtonDown(unsigned flags, KDevicePoint point) {
    return input_.OnLButtonDown(point, (flags & kMouseShift) != 0).HostCode();
  }
  int OnMouseMove(unsigned, KDevicePoint point, KDevice* device = nullptr) {
    return input_.OnMouseMove(point, device).HostCode();
  }
  int OnLButtonUp(unsigned, KDevicePoint) { return input_.OnLButtonUp().HostCode(); }
  int OnLButtonDblClk(unsigned, KDevicePoint) { return input_.OnLButtonDblClk().HostCode(); }
  int OnRButtonDown(unsigned, KDevicePoint point, KWindowHost* host) {
    return input_.OnRButtonDown(point, host).HostCode();
  }
  int OnRButtonDownCurve(unsigned, KDevicePoint point, KWindowHost* host) {
    return input_.OnRButtonDownCurve(point, host).HostCode();
  }
  int OnKeyUp(unsigned key) {
    input_.OnKeyUp(key);
    return 0;
  }
  int OnWheel(KDevicePoint point, int notches) { return input_.OnWheel(point, notches).HostCode(); }
  const char* OnMouseMoveStep(unsigned, KDevicePoint point) const { return input_.OnMouseMoveStep(point); }
  int OnLButtonUpStep(unsigned, KDevicePoint point, KWindowHost* host = nullptr) {
    input_.OnLButtonUpStep(point, host);
    return 0;
  }

  // Picking: index from the tail of the entry nearest to the world point
  // (editable polylines by distance, editable points by their mark box);
  // -10 when none.
  int Pick(double x, double y) const;

  // Curve digitising and modification (window/editor/window_curves.cpp).
  // The buffer becomes a new polyline entry; false when it was empty.
  bool FinishCurve();
  // FinishCurve and ModifyNearestCurve as one undo step; false when the
  // buffer was empty (nothing is then spliced).
  bool FinishAndModify();
  // Splices the newest curve into the nearest older editable curve (see
  // model/curves/curve_edit.h), undoably; true when the document changed.
  bool ModifyNearestCurve();
  bool TrimNearestCurve(double x1, double y1, double x2, double y2);
  // Opens a curve file into the drawing, undoably.
  KResult MergeCurves(const std::string& path);
  // What an entry is, for the status bar: kind, layer and name.
  static std::string Describe(const KEntry& entry);

  // The curve being drawn, the overlay, the picked entry and Esc, as the
  // input keeps them (KInputController).
  void DrawCollected(KDevice& device) { input_.DrawCollected(device); }
  void DrawOverlay(KDevice& device) { input_.DrawOverlay(device); }
  const KEntry* PickedEntry() const { return input_.PickedEntry(); }
  bool CancelPending() { return input_.CancelPending(); }

  // Grids the f(x,y) layers through the host's dialog; 1 when it ended with
  // OK. The dialog's values are kept here between calls.
  int GetFxy(KWindowHost& host) { return host.GetFxy(*this, fxy); }
  KFxyDialogData fxy;

  // Layers and where new entries go (window/editor/window_layers.cpp).
  // The host asked where new entries go when the current layer would hide
  // them; null (the default) keeps them on the current layer with a notice.
  void SetHost(KWindowHost* host) { host_ = host; }
  // Sets a layer's state as one undo step; false when it already had it.
  bool SetLayerState(KLayer& layer, int state);
  // Creates a layer in view and edit and makes it current (an existing one
  // is only made current); null, with why, when path cannot name a layer.
  KLayer* NewLayer(const std::string& path, std::string* why = nullptr);
  // The layer new curves and merged curves go to: the one the user chose
  // (it stays chosen while the window lives, whatever the drawing's own
  // current layer becomes on saving or opening), else the current layer.
  KLayer* NewEntryLayer() const { return chosenLayer_ ? chosenLayer_ : CurrentLayer(); }
  // Chooses it (null: the current layer again); it also becomes current.
  void ChooseNewEntryLayer(KLayer* layer);
  // Where a new entry goes: NewEntryLayer when it is in view and edit; else
  // the layer the host's user chooses, which is chosen from then on; null
  // when the user declines. Without a host that asks, NewEntryLayer (layer
  // "0" made when there is none).
  KLayer* LayerForNewEntries();

  // Changes an entry's colour, record fields and layer as one undo step;
  // false, with why, when the edit does not fit the entry (nothing changes)
  // or changes nothing (why empty).
  bool EditEntry(KEntry& entry, const KEntryEdit& edit, std::string& why);

  // Undo / redo of the editing actions above.
  const KUndoHistory& History() const { return history_; }
  bool Undo() { return history_.Undo(*this) && (modified_ = true); }
  bool Redo() { return history_.Redo(*this) && (modified_ = true); }
  // Whether the document changed since it was opened or last saved; the
  // host marks it saved after saving.
  bool Modified() const { return modified_; }
  void MarkSaved() { modified_ = false; }
  // For hosts that add to the document themselves (an import).
  void MarkModified() { modified_ = true; }

private:
  // The buffer as a new polyline entry (the buffer is emptied).
  void AddCollected();
  // The entries from index from on go to LayerForNewEntries when they went
  // to another layer or one that hides them or keeps them from being
  // edited; when the user declines they are removed and the notice says
  // so. what names them ("curve").
  void PlaceNewEntries(std::size_t from, const std::string& what);

  KUndoHistory history_;
  bool modified_ = false;
  KWindowHost* host_ = nullptr;
  KLayer* chosenLayer_ = nullptr;  // layers live as long as the document
};
