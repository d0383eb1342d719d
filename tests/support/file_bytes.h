#pragma once
// Whole files as byte strings.
#include <string>

// The file's bytes; empty when it cannot be read.
std::string ReadFileBytes(const std::string& path);
// Replaces the file with bytes (NULs included); fails the test when it cannot.
void WriteFileBytes(const std::string& path, const std::string& bytes);
