// What every command shares: reading its options, the names it takes, and
// how it ends when an argument names nothing it knows.
#pragma once

#include <map>
#include <optional>
#include <ostream>
#include <set>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace cli {

// Exit codes: the answer was written; an argument was refused (why on the
// error stream).
inline constexpr int kDone = 0;
inline constexpr int kBadArguments = 2;

// Thrown while reading the arguments; the command ends with kBadArguments.
struct BadArguments {
  std::string why;
  bool showUsage = false;
};

// Which options a command takes: those that stand alone (--json), those that
// take a value (--race R), and of these the ones that add up in their order
// (--skill S --skill T) rather than the later winning.
struct OptionKinds {
  std::set<std::string, std::less<>> flags;
  std::set<std::string, std::less<>> valued;
  std::set<std::string, std::less<>> repeated;
  bool positional = false;  // whether words that are no option are taken
};

// The options as given, "--name value" or "--name=value".
struct Options {
  std::set<std::string, std::less<>> flags;
  std::map<std::string, std::string, std::less<>> last;       // a later value wins
  std::vector<std::pair<std::string, std::string>> repeated;  // in their order
  std::vector<std::string> positional;

  bool has(std::string_view flag) const { return flags.contains(flag); }
  const std::string* value(std::string_view option) const;
  std::vector<std::string> all(std::string_view option) const;
};

Options readOptions(const std::vector<std::string>& args, const OptionKinds& kinds);

// A race or class name as given: the list's name it is, letter case aside;
// anything else is refused with the name it most likely meant. `what` names
// the list in the refusal ("a race").
std::string_view known(std::string_view text, std::span<const std::string_view> names,
                       std::string_view what);
std::string_view knownRace(std::string_view text);
std::string_view knownClass(std::string_view text);

// A clan-town box count, 0 to 2.
int boxCount(std::string_view option, std::string_view text);

// Writes a refusal as "plavet COMMAND: why", with the usage where it helps,
// and returns kBadArguments.
int refuse(const BadArguments& bad, std::string_view command, std::string_view usage,
           std::ostream& err);

}  // namespace cli
