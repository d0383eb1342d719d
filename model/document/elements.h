#pragma once
// The small element records: points, insertions, texts, bitmaps, logos and
// step lists. Polylines are KCurve (kcurve.h).
#include <deque>
#include <string>
#include <vector>

#include "platform/device/klogfont.h"
#include "model/document/krecord.h"
#include "platform/base/fixed_pool.h"
#include "platform/device/kimage.h"
#include "platform/base/small_string.h"

// 48 bytes from a pool: a drawing may hold a point for every dozen bytes.
struct KPointText : KRecord {
  double x = 0, y = 0, z = 0;
  KSmallString label;

  QUARVEL_POOLED(KPointText)
};

struct KInsert : KRecord {
  double x = 0, y = 0;
  std::string blockName;
  double xSize = 0, ySize = 0;
  double angle = 0;               // degrees
};

// 104 bytes from a pool: a drawing may hold a text for every dozen bytes.
struct KText : KRecord {
  double x = 0, y = 0;
  KSmallString text;
  double width = 0, height = 0;   // character cell in world units
  double angle = 0;               // degrees
  KLogFont font;                  // the members a file sets; drawing sizes the cell from width and height
  bool fromFont = false;          // read from FONT (keeps width and font on save)

  QUARVEL_POOLED(KText)
};

// A picture placed into a world rectangle (BMPIN); GRID3D shares the layout.
struct KBmpIn : KRecord {
  double x = 0, y = 0;
  std::string fileName;
  double width = 0, height = 0;
  int mode = 0;
  KImage image;                   // empty when loading failed
};

struct KLogo : KRecord {
  double x = 0, y = 0;
  double width = 0, height = 0;
  double angle = 0;
};

struct KStep {
  int runCount = 0;
  bool hasCommand = false, hasRemark = false, hasComment = false;
  std::string command, remark, comment;
};

struct KStepList : KRecord {
  // Grows in fixed blocks, never through a copy twice the size: a STEP file
  // may hold millions of steps.
  std::deque<KStep> steps;
  int Count() const { return static_cast<int>(steps.size()); }
};
