#include "cli/options.h"

#include "sheet/names.h"
#include "skills/catalogue.h"

namespace cli {

const std::string* Options::value(std::string_view option) const {
  const auto found = last.find(option);
  return found == last.end() ? nullptr : &found->second;
}

std::vector<std::string> Options::all(std::string_view option) const {
  std::vector<std::string> values;
  for (const auto& [name, value] : repeated)
    if (name == option) values.push_back(value);
  return values;
}

Options readOptions(const std::vector<std::string>& args, const OptionKinds& kinds) {
  Options o;
  for (std::size_t i = 0; i < args.size(); ++i) {
    std::string option = args[i];
    std::optional<std::string> value;
    if (!option.starts_with("--")) {
      if (!kinds.positional) throw BadArguments{"unknown argument \"" + args[i] + "\"", true};
      o.positional.push_back(option);
      continue;
    }
    if (const auto eq = option.find('='); eq != std::string::npos) {
      value = option.substr(eq + 1);
      option.resize(eq);
    }
    if (kinds.flags.contains(option) && !value) {
      o.flags.insert(option);
      continue;
    }
    const bool repeated = kinds.repeated.contains(option);
    if (!repeated && !kinds.valued.contains(option))
      throw BadArguments{"unknown argument \"" + args[i] + "\"", true};
    if (!value && i + 1 == args.size()) throw BadArguments{option + " needs a value", true};
    if (!value) value = args[++i];
    if (repeated)
      o.repeated.emplace_back(option, *value);
    else
      o.last[option] = *value;
  }
  return o;
}

std::string_view known(std::string_view text, std::span<const std::string_view> names,
                       std::string_view what) {
  if (const auto name = sheet::nameInAnyCase(names, text)) return *name;
  std::string why = "\"" + std::string(text) + "\" is not " + std::string(what);
  if (const auto meant = sheet::meantName(names, text))
    why += "; did you mean \"" + std::string(*meant) + "\"?";
  throw BadArguments{why};
}

std::string_view knownRace(std::string_view text) {
  return known(text, sheet::listNames(sheet::Selection::Race), "a race");
}

std::string_view knownClass(std::string_view text) {
  return known(text, skills::kClassNames, "a class");
}

int boxCount(std::string_view option, std::string_view text) {
  if (text != "0" && text != "1" && text != "2")
    throw BadArguments{std::string(option) + " must be 0, 1 or 2, not \"" + std::string(text) +
                       "\""};
  return text[0] - '0';
}

int refuse(const BadArguments& bad, std::string_view command, std::string_view usage,
           std::ostream& err) {
  err << "plavet " << command << ": " << bad.why << "\n";
  if (bad.showUsage) err << usage;
  return kBadArguments;
}

}  // namespace cli
