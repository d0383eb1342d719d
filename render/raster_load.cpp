#include "document/elements.h"
#include "document/record_readers.h"

void LoadImage(KBmpIn& element) { DecodeImage(element.fileName, element.image); }
