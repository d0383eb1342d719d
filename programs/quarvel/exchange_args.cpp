#include "programs/quarvel/exchange_args.h"

#include <cstdio>

bool ParseExchangeArgs(const std::vector<std::string>& args, const char* command, const char* usage,
                       const std::set<std::string>& valueOptions, const std::set<std::string>& flagOptions,
                       bool singleInput, KExchangeArgs& out) {
  bool optionsDone = false;
  const auto fail = [&](const std::string& why) {
    if (!why.empty()) std::fprintf(stderr, "quarvel %s: %s\n", command, why.c_str());
    std::fprintf(stderr, "usage: quarvel %s\n", usage);
    return false;
  };
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (optionsDone || a.empty() || a[0] != '-' || a == "-") {
      out.inputs.push_back(a);
    } else if (a == "--") {
      optionsDone = true;
    } else if (a == "-o" || a == "--output" || valueOptions.count(a)) {
      if (i + 1 >= args.size()) return fail(a + " needs a value");
      (a == "-o" || a == "--output" ? out.output : out.values[a]) = args[++i];
    } else if (flagOptions.count(a)) {
      out.flags.insert(a);
    } else {
      return fail("unknown option '" + a + "'");
    }
  }
  if (out.output.empty() || out.inputs.empty() || (singleInput && out.inputs.size() != 1)) return fail("");
  return true;
}
