#pragma once
// Reads an f(x,y) net file and checks its structure: header, node records,
// strips covering every column exactly, links inside the file and matching
// from both ends.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "io/grid/net_file_format.h"
#include "platform/base/result.h"

struct KNetFile {
  double x0 = 0, y0 = 0, dx = 0, dy = 0;
  int nx = 0, ny = 0;
  std::vector<knet::Node> nodes;                 // in file order
  std::vector<std::vector<knet::Strip>> columns;  // strips of each column

  // Record number of node (i, j), or -1 outside the grid.
  int RecordAt(int i, int j) const;
  // Value of node (i, j); the node must exist.
  double ValueAt(int i, int j) const { return nodes[static_cast<std::size_t>(RecordAt(i, j))].value; }
  double WorldX(int i) const { return x0 + i * dx; }
  double WorldY(int j) const { return y0 + j * dy; }
};

// Parses the bytes of a net file. Never reads past them and allocates no
// more than they can describe. Fails with kBadInput and a message naming the
// fault ("node record count 43 is not nx * ny") when they are not one.
KResult ParseNetFile(std::string_view bytes, KNetFile& net);
// Reads and parses the file at path. Fails with kCannotOpen when it cannot
// be opened or read ("cannot open 'a.net': Is a directory"), or as
// ParseNetFile with the file named first ("net file 'a.net': ..."). With
// bytes, the file's bytes are kept there too.
KResult ReadNetFile(const std::string& path, KNetFile& net, std::string* bytes = nullptr);
// Fails with kBadInput naming the first node that is not a finite number
// ("net file 'a.net': node (2, 0) holds nan, not a finite value"): the
// commands that list, convert or draw nodes refuse such a grid whole.
KResult CheckFiniteNodes(const KNetFile& net, const std::string& path);
