#include "web/session.h"

#include <array>
#include <optional>

#include "sheet/tables.h"
#include "skills/catalogue.h"

namespace web {
namespace {

using skills::Value;

constexpr std::array<std::string_view, sheet::kBoxCount> kBoxNames = {
    "txtmf", "txtme", "txtmw", "txtma", "txtms", "txtpf", "txtpe",  "txtpw",  "txtpa",
    "txtps", "txtdf", "txtde", "txtdw", "txtda", "txtds", "txtmpr", "txtppr", "txtepr"};
constexpr std::array<std::string_view, 3> kComboNames = {"cmbrace", "cmbfc", "cmbsc"};
constexpr std::array<std::string_view, 3> kSpellNames = {"chkBless", "chkShield", "chkEndure"};
constexpr std::array<std::string_view, 4> kBonusNames = {"chkPBonus1", "chkPBonus2", "chkMBonus1",
                                                         "chkMBonus2"};

template <std::size_t N>
std::optional<int> find(const std::array<std::string_view, N>& names, std::string_view name) {
  for (std::size_t i = 0; i < N; ++i)
    if (names[i] == name) return static_cast<int>(i);
  return std::nullopt;
}

// A JSON string. Bytes pass as they are, so a text keeps its exact bytes;
// what the page types is UTF-8, and stays valid JSON.
void quoted(std::string& out, std::string_view text) {
  static constexpr char kHex[] = "0123456789abcdef";
  out += '"';
  for (char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      out += '\\';
      out += c;
    } else if (byte < 0x20) {
      out += "\\u00";
      out += kHex[byte >> 4];
      out += kHex[byte & 15];
    } else {
      out += c;
    }
  }
  out += '"';
}

void field(std::string& out, std::string_view name) {
  out += out.back() == '{' ? "" : ",";
  quoted(out, name);
  out += ':';
}

void field(std::string& out, std::string_view name, bool value) {
  field(out, name);
  out += value ? "true" : "false";
}

template <class Texts>
void field(std::string& out, std::string_view name, const Texts& texts) {
  field(out, name);
  out += '[';
  for (std::string_view text : texts) {
    if (out.back() != '[') out += ',';
    quoted(out, text);
  }
  out += ']';
}

std::string stateOf(const sheet::Planner& planner) {
  std::string out = "{";
  for (int b = 0; b < sheet::kBoxCount; ++b) {
    field(out, kBoxNames[b]);
    quoted(out, planner.text(static_cast<sheet::Box>(b)));
  }
  for (int s = 0; s < 3; ++s) {
    field(out, kComboNames[s]);
    quoted(out, planner.selectionText(static_cast<sheet::Selection>(s)));
  }
  field(out, "locked", planner.selectionsLocked());
  for (int s = 0; s < 3; ++s) field(out, kSpellNames[s], planner.isChecked(sheet::Spell(s)));
  for (int b = 0; b < 4; ++b) field(out, kBonusNames[b], planner.isChecked(sheet::Bonus(b)));
  field(out, "fclstskill", planner.firstClassSkills().items());
  field(out, "sclstskill", planner.secondClassSkills().items());
  field(out, "started", planner.started());
  field(out, "startResetToggle", planner.state().startResetToggle);
  field(out, "multiClassed", planner.multiClassed());
  return out + "}";
}

// "cmdmfu" -> M Fire, raise; "cmdpsd" -> P Spirit, lower.
std::optional<std::pair<Value, sheet::Direction>> arrowNamed(std::string_view name) {
  constexpr std::string_view kElements = "fewas";
  if (name.size() != 6 || !name.starts_with("cmd")) return std::nullopt;
  const std::size_t element = kElements.find(name[4]);
  const bool magic = name[3] == 'm';
  if ((!magic && name[3] != 'p') || element == std::string_view::npos) return std::nullopt;
  if (name[5] != 'u' && name[5] != 'd') return std::nullopt;
  const int e = static_cast<int>(element);
  return std::pair{magic ? skills::magicValue(e) : skills::physicalValue(e),
                   name[5] == 'u' ? sheet::Direction::Raise : sheet::Direction::Lower};
}

}  // namespace

Session::Session() {
  planner_.load();
}

void Session::show(std::string_view text, std::string_view title) {
  messages_ += messages_.empty() ? "" : ",";
  messages_ += "{";
  field(messages_, "text");
  quoted(messages_, text);
  field(messages_, "title");
  quoted(messages_, title);
  field(messages_, "state");
  messages_ += stateOf(planner_) + "}";
}

template <class Action>
std::string Session::outcome(Action&& action) {
  messages_.clear();
  action();
  return "{\"messages\":[" + messages_ + "],\"state\":" + stateOf(planner_) + "}";
}

std::string Session::state() const {
  return stateOf(planner_);
}

std::string Session::choices() {
  std::array<std::string_view, sheet::kRaceBonuses.size()> races{};
  for (std::size_t r = 0; r < races.size(); ++r) races[r] = sheet::kRaceBonuses[r].race;
  std::string out = "{";
  field(out, kComboNames[0], races);
  field(out, kComboNames[1], skills::kClassNames);
  field(out, kComboNames[2], skills::kClassNames);
  return out + "}";
}

std::string Session::click(std::string_view button) {
  if (button == "cmdstrt") return outcome([&] { planner_.startReset(); });
  if (button == "cmdmulti") return outcome([&] { planner_.multiClass(); });
  if (button == "cmdshsk") return outcome([&] { planner_.showSkills(); });
  return {};
}

std::string Session::mouseDown(std::string_view arrow, int buttonCode) {
  const auto found = arrowNamed(arrow);
  if (!found) return {};
  return outcome([&] {
    planner_.pressArrow(found->first, found->second, static_cast<std::int16_t>(buttonCode));
  });
}

std::string Session::check(std::string_view box, bool checked) {
  if (const auto spell = find(kSpellNames, box))
    return outcome([&] { planner_.toggleSpell(sheet::Spell(*spell), checked); });
  if (const auto bonus = find(kBonusNames, box))
    return outcome([&] { planner_.toggleBonus(sheet::Bonus(*bonus), checked); });
  return {};
}

std::string Session::type(std::string_view combo, std::string_view text) {
  const auto selection = find(kComboNames, combo);
  if (!selection) return {};
  return outcome([&] { planner_.setSelectionText(sheet::Selection(*selection), text); });
}

}  // namespace web
