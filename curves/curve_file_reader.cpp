#include "curves/kcurve_array.h"
#include "document/record_readers.h"

std::unique_ptr<KCurveArray> ReadCurveFile(KReadContext&) { return std::make_unique<KCurveArray>(); }
