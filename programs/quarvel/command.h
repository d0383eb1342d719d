#pragma once
// Subcommands of the quarvel program register themselves here, so each one
// lives in its own file.
#include <string>
#include <vector>

#include "programs/quarvel/exit_codes.h"

struct KCommand {
  const char* name;
  const char* usage;      // one line, shown by "quarvel --help"
  KExit (*run)(const std::vector<std::string>& args);  // args after the name
};

std::vector<KCommand>& Commands();

struct KCommandRegistrar {
  explicit KCommandRegistrar(KCommand command) { Commands().push_back(command); }
};
