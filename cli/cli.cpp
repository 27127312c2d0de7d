#include "cli/cli.h"

#include <array>
#include <iostream>
#include <utility>

#include "cli/advise.h"
#include "cli/compare.h"
#include "cli/plan.h"

namespace cli {
namespace {

constexpr std::array<std::pair<std::string_view, Command>, 3> kCommands = {{
    {"plan", &plan},
    {"compare", &compare},
    {"advise", &advise},
}};

}  // namespace

Command commandNamed(std::string_view name) {
  for (const auto& [word, command] : kCommands)
    if (word == name) return command;
  return nullptr;
}

bool isCommand(int argc, char* argv[]) {
  return argc > 1 && commandNamed(argv[1]) != nullptr;
}

int run(int argc, char* argv[]) {
  return commandNamed(argv[1])(std::vector<std::string>(argv + 2, argv + argc), std::cout,
                               std::cerr);
}

}  // namespace cli
