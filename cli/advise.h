// `plavet advise`: which race and classes get the skills asked for, and
// leave the most points.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace cli {

// `plavet advise ARGS...`, `args` the words after "advise": writes the ranked
// table for people or as JSON (--json).
int advise(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace cli
