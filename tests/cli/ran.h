// A command run in-process: its exit code and what it wrote to each stream.
#pragma once

#include <sstream>
#include <string>
#include <vector>

#include "cli/cli.h"

struct Ran {
  int code;
  std::string out, err;
};

inline Ran run(cli::Command command, const std::vector<std::string>& args) {
  std::ostringstream out, err;
  const int code = command(args, out, err);
  return {code, out.str(), err.str()};
}
