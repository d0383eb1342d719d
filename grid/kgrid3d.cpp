#include "grid/kgrid3d.h"

#include "document/record_readers.h"

int KGridFile::Read(const std::string&, std::string*) { return 0; }

std::unique_ptr<KGrid3D> ReadGrid3D(KReadContext&) { return std::make_unique<KGrid3D>(); }
