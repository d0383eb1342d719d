#pragma once
// The drawing window's interaction: the mode, the clicks and rubber band of
// the two-click modes, the curve being drawn and the picked entry, and the
// mouse, key and menu handlers that move them. Each handler says what it
// did as a KInputOutcome; the window's int entry points are built on them.
//
// Points are client pixels. Where a handler draws (the rubber band, the
// curve being collected) it draws on the device given, inverting; with none
// it only keeps the state, and the host draws it with DrawOverlay.
#include <array>
#include <string>
#include <utility>

#include "model/curves/kcollected.h"
#include "window/editor/measure.h"
#include "window/editor/input_outcome.h"
#include "window/editor/window_host.h"

class KDevice;
struct KEntry;
class KOnes;
struct KStep;
class KWindowView;
class QuarvelWindow;

// The mouse flag of a held Shift, as hosts pass it: the next digitised or
// measured point snaps to a vertex.
constexpr unsigned kMouseShift = 0x0004;
// How near, in pixels, a vertex must be to be snapped to, and a click to
// the first measured point to close the measure.
constexpr double kSnapPixels = 8.0;

class KInputController {
public:
  // The window carries out the edits the input asks for; document and view
  // are the window's own, which the input reads and moves.
  KInputController(QuarvelWindow& window, KOnes& document, KWindowView& view);
  KInputController(const KInputController&) = delete;
  KInputController& operator=(const KInputController&) = delete;

  // Hosts reach these through the window under the same names.
  int viewState = 0;  // the menu command id of the current mode; 0 none
  int clickCount = 0;
  // First click, second click, current cursor position.
  std::array<KDevicePoint, 3> rubberBand{};

  // Left button: in "Click" mode a pick (kPicked, -10 when nothing), zoom
  // clicks repaint, the curve modes collect, the other modes act on their
  // second click.
  // With snap, a point digitised or measured goes to the nearest vertex of
  // an editable entry within kSnapPixels.
  KInputOutcome OnLButtonDown(KDevicePoint point, bool snap = false);
  KInputOutcome OnMouseMove(KDevicePoint point, KDevice* device = nullptr);
  // The release ends Move Zoom and finishes (or splices) a dragged curve;
  // the double click does so for a curve drawn by clicks.
  KInputOutcome OnLButtonUp();
  KInputOutcome OnLButtonDblClk();
  // The context menus go through the host; with no host nothing is shown.
  // Outside the curve modes the right button shows the context menu, in
  // them the curve menu.
  KInputOutcome OnRButtonDown(KDevicePoint point, KWindowHost* host);
  KInputOutcome OnRButtonDownCurve(KDevicePoint point, KWindowHost* host);
  // A mode chosen outside the context menu (a menu bar, a tool bar):
  // finishes a curve being drawn and forgets a pending click first.
  KInputOutcome ChooseMode(int id);
  // The view's key table; besides, Esc cancels a pending rubber band or an
  // unfinished curve and Backspace drops the newest point of a curve drawn
  // by clicks.
  KInputOutcome OnKeyUp(unsigned key);
  // The wheel: zooms by zoomFactor per notch (positive in) keeping the world
  // point under the cursor in place.
  KInputOutcome OnWheel(KDevicePoint point, int notches);
  // Step lists: the command of the step under the point (null when none),
  // and running it through the host (counted even with no host).
  const char* OnMouseMoveStep(KDevicePoint point) const;
  KInputOutcome OnLButtonUpStep(KDevicePoint point, KWindowHost* host);

  // The Measure mode's points; a double click ends them, a click on the
  // first point closes them.
  const KMeasure& Measure() const { return measure_; }

  // Esc: forgets a pending rubber band, an unfinished curve and a measure;
  // true when there was one.
  bool CancelPending();

  // The points of the curve being drawn; TakeCollected empties them into a
  // curve.
  const KCollected& Collected() const { return collected_; }
  KCurve TakeCollected();
  // The curve being drawn as a new polyline entry with the current reading
  // state would be drawn; nothing below two points.
  void DrawCollected(KDevice& device);
  // The rubber band, the curve being drawn and the picked entry, drawn
  // plainly (for a host that draws them over its picture of the document).
  void DrawOverlay(KDevice& device);

  // The entry the latest click in "Click" mode picked, as a pick index
  // (from the tail; -10 when none), and the entry itself: null once an edit
  // has moved or removed it.
  int Picked() const { return picked_; }
  const KEntry* PickedEntry() const;

  // Why the latest input could not do all it was asked ("" when it could),
  // for the status bar: a full buffer, a step that did not start.
  const std::string& Notice() const { return notice_; }
  void Note(std::string why) { notice_ = std::move(why); }

private:
  // Appends the world point of a device point to the buffer, noting when it
  // is full.
  void Collect(KDevicePoint point, bool snap = false);
  // The world point of a click, snapped when asked and a vertex is near.
  void WorldPoint(KDevicePoint point, bool snap, double& x, double& y) const;
  KInputOutcome OnMeasureClick(KDevicePoint point, bool snap);
  KInputOutcome OnTwoClick(KDevicePoint point);
  KInputOutcome Choose(int id, KWindowHost& host);
  void DrawRubberBand(KDevice& device) const;
  // The step under a point when the document starts with a step list.
  KStep* StepAt(KDevicePoint point) const;

  QuarvelWindow& window_;
  KOnes& document_;
  KWindowView& view_;
  KCollected collected_;
  KMeasure measure_;
  int picked_ = KInputOutcome::kNothingPicked;
  const KEntry* pickedEntry_ = nullptr;  // to tell whether the index still names it
  std::string notice_;
};
