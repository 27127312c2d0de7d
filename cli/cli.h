// The program's commands, `plavet plan ...` and its siblings: words in, text
// or JSON out, no window and no toolkit. main() asks here first, before any
// of the window exists, so a command needs no display.
#pragma once

#include <iosfwd>
#include <string>
#include <string_view>
#include <vector>

namespace cli {

// One command: `args` are the words after its name; it writes its answer to
// `out` and returns kDone, or why it refused to `err` and kBadArguments.
using Command = int (*)(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// The command a word names, or null.
Command commandNamed(std::string_view name);

// Whether the program was started as one of its commands.
bool isCommand(int argc, char* argv[]);
// Runs that command on the standard streams; returns the exit code.
int run(int argc, char* argv[]);

}  // namespace cli
