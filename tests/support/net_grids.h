#pragma once
// Net files for tests, written through the gridding engine's own writer:
// node values from a function, optionally one vertical break between two
// columns.
#include <functional>
#include <string>

// An n x n node grid with unit steps and node (0, 0) at world (0, 0);
// value(i, j) gives each node. breakAfterColumn >= 0 cuts the x-links
// between that column and the next in every row.
void WriteTestNet(const std::string& path, int n, const std::function<double(int, int)>& value,
                  int breakAfterColumn = -1);
