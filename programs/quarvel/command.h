#pragma once
// Subcommands of the quarvel program register themselves here, so each one
// lives in its own file.
#include <cstring>
#include <string>
#include <vector>

#include "programs/quarvel/exit_codes.h"

struct KCommand {
  const char* name;
  const char* usage;      // one line, shown by "quarvel --help"
  KExit (*run)(const std::vector<std::string>& args);  // args after the name
};

std::vector<KCommand>& Commands();

// Kept in name order, so the list "quarvel --help" shows does not depend on
// which file or program a command comes from.
struct KCommandRegistrar {
  explicit KCommandRegistrar(KCommand command) {
    std::vector<KCommand>& all = Commands();
    auto at = all.begin();
    while (at != all.end() && std::strcmp(at->name, command.name) < 0) ++at;
    all.insert(at, command);
  }
};
