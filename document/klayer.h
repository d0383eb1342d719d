#pragma once
// A named layer ("class") with its state and default drawing properties.
#include <memory>
#include <string>

class KEmbellish;
struct KTextProperties;

enum KLayerState : int {
  kViewAndEdit = 0,
  kViewNotEdit = 1,
  kNotViewNotEdit = 2,   // not drawn
};

struct KLayer {
  int state = kViewAndEdit;
  std::string name;      // the path it was created with
  std::shared_ptr<KEmbellish> embellishment;
  std::shared_ptr<KTextProperties> textProperties;
};
