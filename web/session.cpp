#include "web/session.h"

#include <array>
#include <cctype>
#include <optional>

#include "history/steps.h"
#include "sheet/names.h"
#include "skills/catalogue.h"
#include "skills/needs.h"
#include "store/code.h"
#include "store/file.h"
#include "web/json.h"

namespace web {
namespace {

using skills::Value;
constexpr int kNoMerge = history::History::kNoMerge;

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

std::string stateOf(const sheet::Planner& planner) {
  std::string out = "{";
  for (int b = 0; b < sheet::kBoxCount; ++b)
    json::text(out, kBoxNames[b], planner.text(static_cast<sheet::Box>(b)));
  for (int s = 0; s < 3; ++s)
    json::text(out, kComboNames[s], planner.selectionText(static_cast<sheet::Selection>(s)));
  json::flag(out, "locked", planner.selectionsLocked());
  json::key(out, "warnings");
  out += '{';
  for (int s = 0; s < 3; ++s) {
    const auto selection = static_cast<sheet::Selection>(s);
    json::text(out, kComboNames[s],
               sheet::selectionWarning(selection, planner.selectionText(selection)));
  }
  out += '}';
  for (int s = 0; s < 3; ++s) json::flag(out, kSpellNames[s], planner.isChecked(sheet::Spell(s)));
  for (int b = 0; b < 4; ++b) json::flag(out, kBonusNames[b], planner.isChecked(sheet::Bonus(b)));
  json::texts(out, "fclstskill", planner.firstClassSkills().items());
  json::texts(out, "sclstskill", planner.secondClassSkills().items());
  json::flag(out, "started", planner.started());
  json::flag(out, "startResetToggle", planner.state().startResetToggle);
  json::flag(out, "multiClassed", planner.multiClassed());
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

// The name Save gives a plavet that was not opened from a plavet file.
constexpr std::string_view kNewFileName = "plavet.plavet";

// A .plavet file, in any letter case; a note holding a code is none, and
// Save does not name its file after it.
bool isPlavetFile(std::string_view name) {
  constexpr std::string_view kSuffix = ".plavet";
  if (name.size() <= kSuffix.size()) return false;
  const std::string_view suffix = name.substr(name.size() - kSuffix.size());
  for (std::size_t i = 0; i < kSuffix.size(); ++i)
    if (std::tolower(static_cast<unsigned char>(suffix[i])) != kSuffix[i]) return false;
  return true;
}

}  // namespace

Session::Session() : fileName_(kNewFileName) {
  planner_.load();
}

Session::~Session() = default;

void Session::show(std::string_view text, std::string_view title) {
  messages_ += messages_.empty() ? "{" : ",{";
  json::text(messages_, "text", text);
  json::text(messages_, "title", title);
  json::key(messages_, "state");
  messages_ += stateOf(planner_) + "}";
}

template <class Action>
std::string Session::outcome(std::string_view step, int mergeKey, Action&& action) {
  messages_.clear();
  const sheet::State before = planner_.state();
  action();
  history_.record(std::string(step), before, planner_.state(), mergeKey);
  return answer();
}

std::string Session::answer() {
  if (goals_) goals_->follow();
  return written(messages_);
}

std::string Session::view() const {
  return written("");
}

std::string Session::written(std::string_view messages) const {
  std::string out = "{\"messages\":[" + std::string(messages) + "],\"state\":" + stateOf(planner_);
  json::text(out, "undo", history_.undoName());
  json::text(out, "redo", history_.redoName());
  json::text(out, "fileName", hasFile_ ? std::string_view(fileName_) : std::string_view());
  json::flag(out, "modified", hasFile_ && !history_.isClean());
  // As the desktop: a plavet never saved counts as changed once started;
  // one never started has nothing to lose.
  json::flag(out, "unsaved", !history_.isClean() && (planner_.started() || hasFile_));
  return out + "}";
}

std::string Session::state() const {
  return stateOf(planner_);
}

std::string Session::click(std::string_view button) {
  using namespace history::steps;
  if (button == "cmdstrt")
    return outcome(startReset(planner_.state()), kNoMerge, [&] { planner_.startReset(); });
  if (button == "cmdmulti") return outcome(kMultiClass, kNoMerge, [&] { planner_.multiClass(); });
  if (button == "cmdshsk") return outcome(kShowSkills, kNoMerge, [&] { planner_.showSkills(); });
  if (button == "cmdhelp") return outcome("Help", kNoMerge, [] {});  // the page opens the help
  return {};
}

std::string Session::mouseDown(std::string_view arrow, int buttonCode) {
  const auto found = arrowNamed(arrow);
  if (!found) return {};
  const auto code = static_cast<std::int16_t>(buttonCode);
  const Value value = found->first;
  const sheet::Direction direction = found->second;
  return outcome(history::steps::arrow(value, direction, code), kNoMerge,
                 [&] { planner_.pressArrow(value, direction, code); });
}

std::string Session::check(std::string_view box, bool checked) {
  if (const auto spell = find(kSpellNames, box))
    return outcome(history::steps::spell(sheet::Spell(*spell), checked), kNoMerge,
                   [&] { planner_.toggleSpell(sheet::Spell(*spell), checked); });
  if (const auto bonus = find(kBonusNames, box))
    return outcome(history::steps::bonus(sheet::Bonus(*bonus), checked), kNoMerge,
                   [&] { planner_.toggleBonus(sheet::Bonus(*bonus), checked); });
  return {};
}

std::string Session::type(std::string_view combo, std::string_view text) {
  const auto selection = find(kComboNames, combo);
  if (!selection) return {};
  const auto s = sheet::Selection(*selection);
  return outcome(history::steps::selection(s), history::steps::selectionKey(s),
                 [&] { planner_.setSelectionText(s, text); });
}

// Another plavet in place of this one: Skill Goals reads its clan-town boxes
// again.
void Session::putInPlace(const sheet::State& state) {
  planner_.restore(state);
  if (goals_) goals_->replaced();
}

std::string Session::undo() {
  messages_.clear();
  if (history_.canUndo()) putInPlace(history_.undo());
  return answer();
}

std::string Session::redo() {
  messages_.clear();
  if (history_.canRedo()) putInPlace(history_.redo());
  return answer();
}

std::string Session::endTyping() {
  messages_.clear();
  history_.endTyping();
  return answer();
}

std::string Session::code() const {
  return store::encodeCode(planner_.state());
}

std::string Session::openCode(std::string_view code, bool startsHistory) {
  if (!startsHistory)
    return replaceWithCode(code, "The link holds no plavet code that can be used: ", "Plavet Link");
  messages_.clear();
  // A link's fragment, or whatever text holds a code.
  const store::Loaded loaded = store::decodeCodeIn(code);
  if (loaded.state) {
    putInPlace(*loaded.state);
    forgetFile();
  } else
    show("The link holds no plavet code that can be used: " + loaded.reason, "Plavet Link");
  history_.clear();
  return answer();
}

std::string Session::pasteCode(std::string_view text) {
  return replaceWithCode(text,
                         "The text holds no plavet code that can be used: ", "Paste Plavet Code");
}

std::string Session::replaceWithCode(std::string_view text, std::string_view refusal,
                                     std::string_view title) {
  messages_.clear();
  const sheet::State before = planner_.state();
  const store::Loaded loaded = store::decodeCodeIn(text);
  if (loaded.state) {
    putInPlace(*loaded.state);
    forgetFile();
  } else
    show(std::string(refusal) + loaded.reason, title);
  history_.record(std::string(history::steps::kPasteCode), before, planner_.state());
  return answer();
}

std::string Session::saveFile() {
  messages_.clear();
  const store::FileToSave file = store::plavetFileToSave(planner_.state());
  if (!file.refusal.empty()) {
    history_.endTyping();
    show("The plavet was not saved in " + fileName_ + ": " + file.refusal, "Save Plavet");
    return answer();
  }
  history_.markClean();  // as the desktop's Save: the plavet is its file's, typing ends
  hasFile_ = true;
  std::string out = answer();
  out.pop_back();  // the answer's closing brace: the file follows
  json::key(out, "file");
  out += '{';
  json::text(out, "name", fileName_);
  json::text(out, "text", file.bytes);
  return out + "}}";
}

std::string Session::openFile(std::string_view name, std::string_view bytes) {
  const store::Loaded loaded = store::readPlavetFile(bytes);
  if (!loaded.state) return refuseFile(name, loaded.reason);
  messages_.clear();
  const sheet::State before = planner_.state();
  putInPlace(*loaded.state);
  // The desktop asks to save a changed plavet before it opens another and
  // then starts the history afresh; the page asks nothing, so the plavet it
  // set aside stays one Undo away. What was opened is its file's.
  history_.record(std::string(history::steps::kOpenFile), before, planner_.state());
  history_.markClean();
  hasFile_ = isPlavetFile(name);
  fileName_ = hasFile_ ? name : kNewFileName;
  return answer();
}

void Session::forgetFile() {
  hasFile_ = false;
  fileName_ = kNewFileName;
}

std::string Session::openLargeFile(std::string_view name, std::uint64_t size) {
  if (size <= store::kMaxFileBytes) return {};
  return refuseFile(name, store::tooLargeForAPlavet(size));
}

std::string Session::refuseFile(std::string_view name, std::string_view reason) {
  messages_.clear();
  history_.endTyping();
  show("The file " + std::string(name) + " cannot be opened: " + std::string(reason),
       "Open Plavet");
  return answer();
}

GoalsView& Session::openGoals() {
  if (!goals_) goals_ = std::make_unique<GoalsView>(planner_);
  goals_->open();
  return *goals_;
}

void Session::keepGoals(std::string_view step) {
  if (goals_) outcome(step, kNoMerge, [&] { planner_.restore(goals_->kept()); });
}

std::string Session::applyPlan() {
  std::optional<sheet::State> played = goals_ ? goals_->played() : std::nullopt;
  if (!played) return {};
  return outcome(history::steps::kApplyPlan, kNoMerge, [&] {
    planner_.restore(*played);
    goals_->replaced();
  });
}

std::string Session::openCompared(const sheet::State& state) {
  return outcome(history::steps::kOpenCompared, kNoMerge, [&] { putInPlace(state); });
}

std::string Session::planFor(std::string_view race, std::string_view firstClass,
                             std::string_view secondClass, std::vector<sheet::Goal> goals,
                             sheet::BonusCounts counts) {
  sheet::State fresh;
  fresh.started = false;  // as the window's load leaves it
  fresh.selections = {std::string(race), std::string(firstClass), std::string(secondClass)};
  fresh = sheet::withGoals(std::move(fresh), std::move(goals), counts);
  return outcome(history::steps::kPlanThis, kNoMerge, [&] { putInPlace(fresh); });
}

std::string Session::skillTips() const {
  std::string out = "{";
  for (const auto copy : {skills::Copy::FirstClass, skills::Copy::SecondClass}) {
    const bool first = copy == skills::Copy::FirstClass;
    const std::string_view className = planner_.selectionText(
        first ? sheet::Selection::FirstClass : sheet::Selection::SecondClass);
    json::key(out, first ? "fclstskill" : "sclstskill");
    out += '[';
    for (std::string_view item :
         (first ? planner_.firstClassSkills() : planner_.secondClassSkills()).items()) {
      json::item(out);
      const skills::SkillRow* row = skills::findRow(className, copy, item);
      json::quoted(out, row ? skills::needsTip(*row) : std::string());
    }
    out += ']';
  }
  return out + "}";
}

}  // namespace web
