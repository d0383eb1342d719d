#pragma once
// The object a host creates to get a drawing window: at once the document
// and its view. The host owns the real window and forwards paint, mouse and
// key messages to it.
#include <array>
#include <string>

#include "document/kones.h"
#include "platform/result.h"
#include "render/kview_transform.h"

class KDevice;
class KProgressSink;

struct KDevicePoint {
  int x = 0, y = 0;
};

class QuarvelWindow : public KOnes {
public:
  QuarvelWindow();
  ~QuarvelWindow() override;

  KViewTransform view;
  int viewState = 0;      // the menu command id of the current mode; 0 none
  int clickCount = 0;
  // First click, second click, current cursor position.
  std::array<KDevicePoint, 3> rubberBand{};

  // Opening: the extension chooses the reader ("KCX..." curves, "STEP..."
  // step file, else a text drawing). Returns 1, or 0 with the document
  // unchanged when the file cannot be opened.
  int OnOpenDocument(const std::string& path, KProgressSink* progress = nullptr);
  int OnOpenDocumentMem(const std::string& text);
  int OnOpenDocumentStep(const std::string& path);
  int OnOpenDocumentCurves(const std::string& path);
  // Saving: 1, or 0 when the file could not be written (the document is
  // then unchanged). SaveDocument says why.
  int OnSaveDocument(const std::string& path);
  KResult SaveDocument(const std::string& path);

  // Recomputes minX..maxY from polylines, curve arrays, x, y, z lists and
  // step lists; sentinels 1e300 / -1e300 when nothing counts.
  void ComputeExtent();

  // Drawing (window/window_draw.cpp).
  void OnDraw(KDevice* device);
  void Extend();
  void Delete();
  int DeleteInRect(double minX, double minY, double maxX, double maxY);
  std::string GetRemark(KDevicePoint point) const;
};
