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
  // Whether the view has been fitted to the extent. The first paint of a
  // non-empty document fits it (and tries again at later paints while the
  // extent cannot be fitted); after that only Extend fits again, so opening
  // more into the window leaves the view as it is.
  bool viewFitted = false;
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

  // Saving as a text drawing through KAtomicFile (platform/atomic_file.h).
  // Fails with a message naming the file and the reason ("cannot write
  // 'x.qvd': No space left on device"), leaving the document unchanged.
  KResult Save(const std::string& path);
  // The host's entry point: 1 when saved, 0 when not (Save gives the reason).
  int OnSaveDocument(const std::string& path);

  // Recomputes minX..maxY from polylines, curve arrays, x, y, z lists and
  // step lists; sentinels 1e300 / -1e300 when nothing counts.
  void ComputeExtent();

  // Drawing (window/window_draw.cpp). Each paint draws with a renderer of
  // its own onto the device given; the window keeps no device between
  // paints.
  void OnDraw(KDevice* device);
  // Fits the view to the extent in the client area of the latest paint
  // (before any paint, the first paint fits).
  void Extend();
  void Delete();
  int DeleteInRect(double minX, double minY, double maxX, double maxY);
  std::string GetRemark(KDevicePoint point) const;

private:
  KIntSize paintedSize_;  // client size of the latest paint
};
