#pragma once
// Entry kind codes and the common base of every element record.

enum KKind : int {
  kKindPolyline = 100,    // KCurve
  kKindCurveArray = 101,  // KCurveArray
  kKindPoint = 200,       // KPointText
  kKindInsert = 201,      // KInsert
  kKindText = 202,        // KText
  kKindBitmap = 203,      // KBmpIn
  kKindGrid = 204,        // KGrid3D
  kKindLogo = 205,        // KLogo
  kKindXyz = 301,         // KXyzList
  kKindStepList = 400,    // KStepList
};

// Records are owned by their entry; the entry's kind says which one it is.
class KRecord {
public:
  virtual ~KRecord() = default;
};
