#pragma once
// The object a host creates to get a drawing window: at once the document
// and its view. The host owns the real window and forwards paint, mouse and
// key messages to it.
#include <array>
#include <string>

#include "model/curves/kcollected.h"
#include "model/document/kextent.h"
#include "model/document/kones.h"
#include "io/fxy/fxy_driver.h"
#include "platform/base/result.h"
#include "render/view/kview_transform.h"
#include "window/editor/undo_history.h"
#include "window/editor/window_host.h"

class KDevice;
class KProgressSink;

class QuarvelWindow : public KOnes, public KExtent {
public:
  QuarvelWindow();
  ~QuarvelWindow() override;

  KViewTransform view;
  // Whether the view has been fitted to the extent. The first paint of a
  // non-empty document fits it (and tries again at later paints while the
  // extent cannot be fitted); after that only Extend fits again, so opening
  // more into the window leaves the view as it is.
  bool viewFitted = false;
  // Whether the latest paint left inserted blocks out: blocks inserting
  // each other over and over would otherwise take without end.
  bool paintCut = false;
  int viewState = 0;      // the menu command id of the current mode; 0 none
  int clickCount = 0;
  // First click, second click, current cursor position.
  std::array<KDevicePoint, 3> rubberBand{};

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
  void Extend();
  // Deletes in the rectangle of the first two rubber-band points, undoably.
  void Delete();
  // Hands what it removes to removed when given, else destroys it.
  int DeleteInRect(double minX, double minY, double maxX, double maxY,
                   std::vector<std::unique_ptr<KEntry>>* removedEntries = nullptr);
  std::string GetRemark(KDevicePoint point) const;
  void SetViewStateClick();

  // Mouse and keys (window/editor/window_mouse.cpp, window_menus.cpp,
  // window_keys.cpp, window_steps.cpp). Points are client pixels; flags are
  // not used. Results: 1 the view or document changed, 0 nothing to
  // redraw, -1 after a curve modification, a pick index in "Click" mode.
  // Where a handler draws (the rubber band, the curve being collected) it
  // draws on the device given, inverting; with none it only keeps the
  // state, and the host draws it with DrawOverlay.
  int OnLButtonDown(unsigned flags, KDevicePoint point);
  int OnMouseMove(unsigned flags, KDevicePoint point, KDevice* device = nullptr);
  int OnLButtonUp(unsigned flags, KDevicePoint point);
  int OnLButtonDblClk(unsigned flags, KDevicePoint point);
  // The context menus go through the host; with no host nothing is shown.
  int OnRButtonDown(unsigned flags, KDevicePoint point, KWindowHost* host);
  int OnRButtonDownCurve(unsigned flags, KDevicePoint point, KWindowHost* host);
  // The view's key table; besides, Esc cancels a pending rubber band or an
  // unfinished curve and Backspace drops the newest point of a curve drawn
  // by clicks. Always 0, even when the view moved.
  int OnKeyUp(unsigned key);
  // The wheel: zooms by zoomFactor per notch (positive in) keeping the world
  // point under the cursor in place. 1 when the view changed.
  int OnWheel(KDevicePoint point, int notches);
  // Step lists: the command of the step under the point (null when none),
  // and running it through the host (counted even with no host).
  const char* OnMouseMoveStep(unsigned flags, KDevicePoint point) const;
  int OnLButtonUpStep(unsigned flags, KDevicePoint point, KWindowHost* host = nullptr);

  // Picking: index from the tail of the entry nearest to the world point
  // (editable polylines by distance, editable points by their mark box);
  // -10 when none.
  int Pick(double x, double y) const;

  // Curve digitising and modification (window/editor/window_curves.cpp).
  // The buffer becomes a new polyline entry; false when it was empty.
  bool FinishCurve();
  // Draws the curve being collected as a polyline entry with the current
  // reading state would be drawn; nothing below two points.
  void DrawCollected(KDevice& device);
  // Splices the newest curve into the nearest older editable curve (see
  // model/curves/curve_edit.h), undoably; true when the document changed.
  bool ModifyNearestCurve();
  bool TrimNearestCurve(double x1, double y1, double x2, double y2);
  // Opens a curve file into the drawing, undoably.
  KResult MergeCurves(const std::string& path);
  // The rubber band, the curve being collected and the picked entry, drawn
  // plainly (for a host that draws them on an overlay;
  // window/editor/window_overlay.cpp).
  void DrawOverlay(KDevice& device);
  // The entry the latest click in "Click" mode picked, as a pick index
  // (from the tail); -10 when none. PickedEntry is null once an edit has
  // moved or removed that entry.
  int picked = -10;
  const KEntry* PickedEntry() const;
  // What an entry is, for the status bar: kind, layer and name.
  static std::string Describe(const KEntry& entry);
  // Esc: forgets a pending rubber band and an unfinished curve; true when
  // there was one.
  bool CancelPending();

  // Grids the f(x,y) layers through the host's dialog; 1 when it ended with
  // OK. The dialog's values are kept here between calls.
  int GetFxy(KWindowHost& host) { return host.GetFxy(*this, fxy); }
  KFxyDialogData fxy;

  // The points of the curve being digitised.
  KCollected collected;
  // Undo / redo of the editing actions above.
  KUndoHistory history;
  bool Undo() { return history.Undo(*this) && (modified = true); }
  bool Redo() { return history.Redo(*this) && (modified = true); }
  // Whether the document changed since it was opened or last saved; the
  // host clears it after saving.
  bool modified = false;
  // Why the latest input could not do all it was asked ("" when it could),
  // for the status bar: a full buffer, a step that did not start.
  std::string notice;

private:
  // The entry picked, to tell whether the index still names it.
  const KEntry* pickedEntry_ = nullptr;
  // Appends the world point of a device point to the buffer, noting when it
  // is full.
  void Collect(KDevicePoint point);
  int OnTwoClick(KDevicePoint point);
  // The buffer as a new polyline entry (the buffer is emptied).
  void AddCollected();
  // FinishCurve and ModifyNearestCurve as one undo step; false when the
  // buffer was empty (nothing is then spliced).
  bool FinishAndModify();
  void DrawRubberBand(KDevice& device) const;

  KIntSize paintedSize_;  // client size of the latest paint
};
