#pragma once
// World <-> device mapping of a window. (Filled in by the rendering work.)
class KDevice;

class KViewTransform {
public:
  KViewTransform() { Reset(); }
  void Reset() {}
  KDevice* device = nullptr;   // borrowed from the latest paint
};
