#pragma once
// quarvel-view opens SEG-Y files as a panel window of their own (the header
// panel, and a tab with a section of the samples), and adds their source
// positions to the drawing as survey lines.
#include <QString>

#include "platform/base/result.h"

class QuarvelWindow;
class QWidget;

// Whether the viewer opens path as SEG-Y (by its extension, .sgy or .segy).
bool IsSegyPath(const QString& path);
// Shows the panel of path in a new window owned by parent and reads the
// positions into drawing; fails, showing nothing, when the file cannot be
// read as SEG-Y.
KResult OpenSegyPanel(const QString& path, QuarvelWindow& drawing, QWidget* parent);
