// `plavet plan`: the best plavet for the skills asked for.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace cli {

// `plavet plan ARGS...`, `args` the words after "plan": writes the plan for
// people or as JSON (--json).
int plan(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace cli
