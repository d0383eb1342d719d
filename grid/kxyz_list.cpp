#include "grid/kxyz_list.h"

#include "document/record_readers.h"

void KXyzList::Extent(double&, double&, double&, double&) const {}
int KXyzList::RemoveInRect(double, double, double, double) { return 0; }

std::unique_ptr<KXyzList> ReadXyzList(KReadContext&, const std::string&) { return nullptr; }
