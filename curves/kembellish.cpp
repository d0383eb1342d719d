#include "curves/kembellish.h"

#include "document/record_readers.h"

int EmbellishStyleCode(const std::string&) { return kStylePlain; }

std::shared_ptr<KEmbellish> ReadEmbellishment(KReadContext&) { return nullptr; }
