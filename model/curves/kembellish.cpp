// Style words of embellishment items.
#include "model/curves/kembellish.h"

int EmbellishStyleCode(const std::string& word) {
  if (word.empty()) return kStylePlain;
  switch (word[0]) {
    case 'S':
      return kStyleFilled;
    case 'C':
      return kStyleClosed;
    case 'B':
      if (word.size() > 1 && word[1] == 'S') return kStyleSplineFilled;
      if (word.size() > 1 && word[1] == 'C') return kStyleSplineClosed;
      return kStyleSplineOpen;
    default:
      return kStylePlain;
  }
}
