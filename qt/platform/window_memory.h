#pragma once
// What a main window remembers between runs and how it fits the screen:
// the recent files list, a saved geometry brought onto the screen, and the
// extension a file dialog's chosen filter implies.
#include <QRect>
#include <QString>
#include <QStringList>

// The list with path first, once, and at most limit entries.
QStringList WithRecentFile(QStringList recent, const QString& path, int limit = 8);

// wanted moved and shrunk as little as possible so that it lies wholly
// within available (the screen less panels and task bars).
QRect FitOnScreen(const QRect& wanted, const QRect& available);

// path with the first extension of a name filter such as
// "PNG pictures (*.png)" when it has none: "exported" -> "exported.png".
// A path that has an extension, or a filter without one ("*"), is kept.
QString WithFilterSuffix(const QString& path, const QString& filter);
