#include "cli/compare.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iostream>

#include "cli/options.h"
#include "compare/json.h"
#include "store/code.h"
#include "store/file.h"

namespace cli {
namespace {

constexpr std::string_view kUsage =
    "usage: plavet compare BASE OTHER... [--only-differences] [--json]\n"
    "       plavet compare --help\n";

constexpr std::string_view kHelp =
    "Plavets side by side: every row of the window (race, classes, multi-classed,\n"
    "the M, P and D values, the pools, the boxes) for BASE and each OTHER, the\n"
    "difference marked (+5, \u22123, =); their skill lists; and the presses that turn\n"
    "BASE into each OTHER, or why none do.\n"
    "\n"
    "  BASE, OTHER           a .plavet file, a plavet code, a link to the page, or a\n"
    "                        file or text holding a code\n"
    "  --only-differences    only the rows that differ\n"
    "  --json                the answer as one JSON object\n"
    "  --help                this text\n";

// A file of that name, else a text holding a code; read by the readers the
// window uses, and refused as the window refuses it.
compare::Plavet read(const std::string& argument) {
  namespace fs = std::filesystem;
  std::error_code error;
  const fs::path path(argument);
  if (!argument.empty() && argument.size() < 4096 && fs::exists(path, error)) {
    auto refusal = [&](const std::string& why) {
      return BadArguments{"The file " + argument + " cannot be opened: " + why};
    };
    if (fs::is_directory(path, error)) throw refusal("This is a folder, not a plavet file.");
    std::ifstream file(path, std::ios::binary);
    if (!file) throw refusal("The file could not be read.");
    const auto size = fs::file_size(path, error);
    if (!error && size > store::kMaxFileBytes) throw refusal(store::tooLargeForAPlavet(size));
    std::string bytes(store::kMaxFileBytes + 1, '\0');
    file.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    bytes.resize(static_cast<std::size_t>(file.gcount()));
    const store::Loaded loaded = store::readPlavetFile(bytes);
    if (!loaded.state) throw refusal(loaded.reason);
    return {argument, *loaded.state};
  }
  const store::Loaded loaded = store::decodeCodeIn(argument);
  if (!loaded.state)
    throw BadArguments{
        "\"" + argument + "\" is no file" +
        (store::findCode(argument) ? ", and its plavet code cannot be opened: " : ": ") +
        loaded.reason};
  return {argument, *loaded.state};
}

std::string cut(const std::string& name, std::size_t most) {
  return name.size() <= most ? name : name.substr(0, most - 3) + "...";
}

// A column of UTF-8 text padded to a width in characters.
std::string padded(const std::string& text, std::size_t width) {
  std::size_t chars = 0;
  for (unsigned char c : text) chars += (c & 0xc0) != 0x80;
  return text + std::string(width > chars ? width - chars : 1, ' ');
}

void writeText(std::ostream& out, const compare::Comparison& c, bool onlyDifferences) {
  out << "Base: " << c.base << "\n";
  for (std::size_t i = 0; i < c.compared.size(); ++i)
    out << i + 1 << ": " << c.compared[i].name << " (" << c.compared[i].differences
        << (c.compared[i].differences == 1 ? " row differs" : " rows differ") << ")\n";
  out << "\n" << padded("Row", 27) << padded("Base", 18);
  for (std::size_t i = 0; i < c.compared.size(); ++i)
    out << padded(std::to_string(i + 1), 18) << padded("", 10);
  out << "\n";
  for (const compare::Row& r : c.rows) {
    if (onlyDifferences && !r.differs()) continue;
    out << padded(r.name, 27) << padded(cut(r.base, 17), 18);
    for (const compare::Cell& cell : r.compared)
      out << padded(cut(cell.value, 17), 18) << padded(cell.difference, 10);
    out << "\n";
  }
  auto list = [](const std::vector<std::string_view>& items) {
    std::string s;
    for (std::string_view t : items) s += (s.empty() ? "" : "; ") + std::string(t);
    return s.empty() ? std::string("none") : s;
  };
  for (std::size_t i = 0; i < c.compared.size(); ++i) {
    const compare::Against& a = c.compared[i];
    out << "\n" << i + 1 << ": " << a.name << "\n";
    for (const compare::Skills& s : a.skills)
      out << "  " << (s.list == 0 ? "First-class" : "Second-class") << " skills: " << s.reached()
          << " reached\n    only in the base: " << list(s.onlyBase)
          << "\n    only in the compared: " << list(s.onlyCompared)
          << "\n    in both: " << list(s.both) << "\n";
    if (!a.presses.possible())
      out << "  No presses turn the base into it: " << a.presses.whyNot << ".\n";
    else if (a.presses.steps.empty())
      out << "  Nothing to press: the base is it already.\n";
    else
      out << "  What turns the base into it, in this order:\n";
    for (const compare::Step& s : a.presses.steps) out << "    " << s.words() << "\n";
  }
}

}  // namespace

int compare(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  static const OptionKinds kOptions{{"--json", "--help", "--only-differences"}, {}, {}, true};
  try {
    const Options o = readOptions(args, kOptions);
    if (o.has("--help")) {
      out << kUsage << "\n" << kHelp;
      return kDone;
    }
    if (o.positional.size() < 2) throw BadArguments{"give a base and at least one other", true};
    const compare::Plavet base = read(o.positional[0]);
    std::vector<compare::Plavet> others;
    for (std::size_t i = 1; i < o.positional.size(); ++i) others.push_back(read(o.positional[i]));
    const compare::Comparison c = compare::compareWith(base, others);
    if (o.has("--json"))
      out << compare::asJson(c, o.has("--only-differences")) << "\n";
    else
      writeText(out, c, o.has("--only-differences"));
    return kDone;
  } catch (const BadArguments& bad) {
    return refuse(bad, "compare", kUsage, err);
  }
}

}  // namespace cli
