#pragma once
// What the drawing window needs from the toolkit that hosts it: the host
// implements this and passes it to the handlers that show menus, ask for
// files or start programs. Tests script it.
#include <optional>
#include <string>
#include <vector>

#include "platform/base/result.h"
#include "platform/resources/menus.h"

class QuarvelWindow;
struct KFxyDialogData;

struct KDevicePoint {
  int x = 0, y = 0;
  friend bool operator==(const KDevicePoint&, const KDevicePoint&) = default;
};

class KWindowHost {
public:
  virtual ~KWindowHost() = default;

  // Shows the popup at the client point with the item `checked` marked (none
  // when no item has that id) and returns the chosen id; 0 when dismissed.
  virtual int TrackPopup(const KMenuNode& popup, KDevicePoint at, int checked) = 0;
  // Asks for a file to open; "" when cancelled. filter is "text|pattern|..."
  // pairs ending "||".
  virtual std::string AskOpenFile(const std::string& defaultExtension, const std::string& filter) = 0;
  // Starts program with its arguments detached from this process, without a
  // shell; the result says why it could not start.
  virtual KResult StartDetached(const std::string& program, const std::vector<std::string>& arguments) = 0;
  // A line for the status bar.
  virtual void ShowStatus(const std::string& text) = 0;
  // Opens a drawing into the window as the context menu's "&Open" does;
  // a host with a progress window shows it meanwhile.
  virtual KResult OpenDrawing(QuarvelWindow& window, const std::string& path);
  // The class tree dialog of the window's layers. The host owns the one
  // dialog and gives it the window's layers only while both live.
  virtual void ShowClassDialog(QuarvelWindow& window) { (void)window; }
  // Asks which layer new entries should go to, because the current one
  // would hide them or keep them from being edited (why says so): the path
  // of a layer in view and edit, or of a new one; "" when the user declines.
  // A host that does not ask answers nullopt, and the entries stay on the
  // current layer.
  virtual std::optional<std::string> AskLayer(QuarvelWindow& window, const std::string& why) {
    (void)window;
    (void)why;
    return std::nullopt;
  }
  // The f(x,y) dialog over the window's values (kept in data between
  // calls): 1 when it ended with OK and the gridding started, else 0.
  virtual int GetFxy(QuarvelWindow& window, KFxyDialogData& data) {
    (void)window;
    (void)data;
    return 0;
  }
};
