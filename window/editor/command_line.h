#pragma once
// Splitting a step's command into a program and its arguments, as a command
// line is split: blanks separate words, double quotes group blanks into a
// word, a backslash before a double quote keeps the quote.
#include <string>
#include <vector>

std::vector<std::string> SplitCommandLine(const std::string& line);
