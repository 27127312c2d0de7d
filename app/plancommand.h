// `plavet plan`: the best plavet for the skills asked for, on the command
// line, without a window.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

// Runs `plavet plan ARGS...` with `args` the words after "plan": writes the
// plan to `out`, for people or as JSON (--json), and returns 0; for an
// argument that names nothing it knows, writes why to `err` and returns 2.
int planCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// For main(), before anything of the window exists: whether the program was
// started as `plavet plan ...`, and running it on the standard streams.
bool isPlanCommand(int argc, char* argv[]);
int runPlanCommand(int argc, char* argv[]);
