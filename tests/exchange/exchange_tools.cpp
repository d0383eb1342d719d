#include "tests/exchange/exchange_tools.h"

#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <sstream>

std::string FindTool(const std::string& name) {
  const char* path = std::getenv("PATH");
  std::stringstream dirs(path ? path : "");
  for (std::string dir; std::getline(dirs, dir, ':');) {
    const std::string candidate = dir + "/" + name;
    if (!dir.empty() && access(candidate.c_str(), X_OK) == 0) return candidate;
  }
  return {};
}

std::string ToolOutput(const std::string& tool, const std::vector<std::string>& args) {
  const ProgramRun run = RunProgram(FindTool(tool), args);
  EXPECT_EQ(run.status, 0) << tool << ": " << run.err;
  return run.out;
}

std::vector<std::pair<double, double>> WktPoints(const std::string& text) {
  std::vector<std::pair<double, double>> points;
  std::stringstream lines(text);
  for (std::string line; std::getline(lines, line);) {
    const std::size_t open = line.find('(');
    if (open == std::string::npos || line.rfind("  ", 0) != 0 || line.find(" = ") != std::string::npos) continue;
    // Tuples are separated by ',' and bracketed; numbers by blanks.
    std::string tuples = line.substr(open);
    std::replace_if(tuples.begin(), tuples.end(), [](char c) { return c == '(' || c == ')'; }, ' ');
    std::stringstream each(tuples);
    for (std::string tuple; std::getline(each, tuple, ',');) {
      std::stringstream numbers(tuple);
      double x, y;
      if (numbers >> x >> y) points.emplace_back(x, y);
    }
  }
  std::sort(points.begin(), points.end());
  return points;
}
