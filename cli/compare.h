// `plavet compare`: plavets side by side, their differences, and the presses
// between them.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace cli {

// `plavet compare BASE OTHER...`, `args` the words after "compare": each a
// file, a code or a link; a table for people or JSON (--json). One that
// cannot be read ends it with its reason.
int compare(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace cli
