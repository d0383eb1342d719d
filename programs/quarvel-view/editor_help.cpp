// The editor's Help menu: the mouse and keys, and the version.
#include <QCoreApplication>
#include <QMenuBar>
#include <QMessageBox>

#include "programs/quarvel-view/editor_window.h"
#include "qt/view/kabout.h"

namespace {
// Input and what it does, as the README's table has it.
const char* const kMouseAndKeys[][2] = {
    {"right button", "context menu: the modes, Extend, Class, Merge Curves, Open"},
    {"left click, Pan", "two clicks: the drawing moves by the vector between them"},
    {"left click, Enlarge / Reduce", "zoom in / out about the click"},
    {"left click, Window", "two clicks: the rectangle fills the view"},
    {"left drag, Move Zoom", "drag down zooms out, up zooms in"},
    {"left click, Rectangle", "two clicks: editable polylines and x, y, z points in it are deleted"},
    {"left click, Click", "picks the nearest editable entry"},
    {"left drag, Curve / Curve Modify", "draws a curve; Modify splices it into the nearest editable curve"},
    {"left clicks, Curve click / Curve Modify click", "a curve point by point; double click finishes"},
    {"left clicks, Delete Curve range", "two clicks cut the beginning or the end off the nearest curve"},
    {"left click on a step chart", "runs the step's command"},
    {"wheel", "zooms about the cursor"},
    {"middle drag", "pans, in any mode"},
    {"arrows, Page Up / Page Down", "scroll by a fifth / four fifths of the window"},
    {"+ / -", "zoom in / out"},
    {"Esc", "cancels a pending rubber band or an unfinished curve"},
    {"Backspace", "drops the last point of a curve drawn by clicks"},
    {"Ctrl+Z; Ctrl+Shift+Z or Ctrl+Y", "undo; redo"},
    {"Home", "Extend: the whole drawing"},
    {"files dropped on the window", "open them"},
};

QString MouseAndKeysTable() {
  QString html = "<table cellspacing='4'>";
  for (const auto& [input, does] : kMouseAndKeys)
    html += QString("<tr><td><b>%1</b></td><td>%2</td></tr>").arg(QString(input).toHtmlEscaped(),
                                                                 QString(does).toHtmlEscaped());
  return html + "</table>";
}
}  // namespace

void EditorWindow::BuildHelp() {
  QMenu* help = menuBar()->addMenu("&Help");
  help->addAction("&Mouse and Keys...", this, [this] {
    QMessageBox box(QMessageBox::NoIcon, "Mouse and keys", MouseAndKeysTable(), QMessageBox::Close, this);
    box.setTextFormat(Qt::RichText);
    box.exec();
  });
  help->addAction("&About Quarvel...", this, [this] {
    QMessageBox::about(this, "About Quarvel",
                       "Quarvel " + QCoreApplication::applicationVersion() +
                           "\nA drawing window for maps and sections: digitising, curve editing, "
                           "gridding with faults and SEG-Y headers.");
  });
  help->addAction("About the &Drawing Window...", this, [this] { KAbout(this).exec(); });
}
