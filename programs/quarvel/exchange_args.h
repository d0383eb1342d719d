#pragma once
// The arguments of the exchange commands: inputs, "-o OUT" and options that
// take a value ("--format NAME") or none ("--xyz"). After "--" every
// argument is an input.
#include <map>
#include <set>
#include <string>
#include <vector>

struct KExchangeArgs {
  std::vector<std::string> inputs;
  std::string output;
  std::map<std::string, std::string> values;  // option -> its value
  std::set<std::string> flags;

  std::string Value(const std::string& option) const {
    const auto at = values.find(option);
    return at == values.end() ? std::string() : at->second;
  }
};

// False, with the usage on standard error, when args make no command of
// this shape: an unknown option, an option without its value, no output,
// fewer or (with singleInput) more inputs than one.
bool ParseExchangeArgs(const std::vector<std::string>& args, const char* command, const char* usage,
                       const std::set<std::string>& valueOptions, const std::set<std::string>& flagOptions,
                       bool singleInput, KExchangeArgs& out);
