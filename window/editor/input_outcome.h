#pragma once
// What one mouse, key or menu event did to the drawing window, so a host
// knows what to draw again without looking at the window's mode.

struct KInputOutcome {
  enum class Kind {
    kNothing,        // nothing changed that shows
    kOverlay,        // only the pending input changed: the rubber band, the
                     // clicks of a two-click mode, the curve being drawn
    kRepaint,        // the view or the document changed
    kCurveFinished,  // the curve being drawn became an entry
    kCurveModified,  // a stroke meant to splice into a curve ended
    kPicked,         // a click in "Click" mode picked pickIndex
    kCommand,        // a menu item (command) or a step's command ran: the
                     // document, the mode or a step's run count may have changed
  };
  static constexpr int kNothingPicked = -10;

  Kind kind = Kind::kNothing;
  int pickIndex = kNothingPicked;  // from the tail, for kPicked
  int command = 0;                 // the menu item chosen; 0 for none or a step

  static constexpr KInputOutcome Of(Kind kind) { return {kind, kNothingPicked, 0}; }
  static constexpr KInputOutcome Picked(int index) { return {Kind::kPicked, index, 0}; }
  static constexpr KInputOutcome Command(int id, Kind kind = Kind::kCommand) { return {kind, kNothingPicked, id}; }

  // The int the window's entry points have always returned for this: 1 the
  // view or document changed, -1 after a curve modification, the pick
  // index, else 0 (a finished curve and a menu command included).
  constexpr int HostCode() const {
    switch (kind) {
      case Kind::kRepaint: return 1;
      case Kind::kCurveModified: return -1;
      case Kind::kPicked: return pickIndex;
      default: return 0;
    }
  }
  friend constexpr bool operator==(const KInputOutcome&, const KInputOutcome&) = default;
};
