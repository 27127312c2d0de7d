// Plays the core tests' random runs of user events through the page's C
// functions, natively, and writes down each event as the page would send it
// and what the core answered. The differential test plays the same lines
// through the WebAssembly build and wants the same answers, byte for byte.
//
//   web_trace runs COUNT [START]     runs made from start values START, START+1, ...,
//                                    with Undo, Redo and the end of typing among
//                                    the user's events
//   web_trace goals COUNT [START]    runs with the Skill Goals view open, goal
//                                    events among the user's
//   web_trace history COUNT [START]  runs of the page's own mouse and keys, for
//                                    the browser to play (see below)
//   web_trace files                  a plavet file opened, then every file of
//                                    the reader's refusal table
//   web_trace numbers                the core's numbers written and read
//
// Runs: per run a line "run START", then per event one line for the event
//   click NAME | mousedown NAME CODE | check NAME 0|1 | type NAME HEXBYTES
//   undo | redo | end_typing | skill_tips
//   code | open_code HEXBYTES | start_with_code HEXBYTES
//   save_file | open_file NAME HEXBYTES | paste_code HEXBYTES
//   goals_open | goals_view | goals_tick COPY ROW 0|1 | goals_bonuses MAGIC PHYSICAL
//   goals_clear | goals_move COPY ROW DELTA | goals_race HEXBYTES | apply_plan
// and one line with the answer (JSON, or the code), empty for none. Each run
// of `runs` ends with the plavet's code, opened as a link, and opened
// damaged, its file saved and opened, its code pasted in a chat line, and
// the page opened with it. `files` writes open_file and check events.
//
// History runs: per run "run START", then per action of the page's user one
// line, and one line with what the page shows after it (an answer, as the
// session writes it):
//   type NAME replace TEXT   click the box, select all (Ctrl+A), type TEXT
//   type NAME append TEXT    click the box, End, type TEXT
//   type NAME erase COUNT    click the box, End, Backspace COUNT times
//   click NAME | mousedown NAME CODE | check NAME   the mouse on that control
//   undo key | undo button | redo key-shift | redo key-y | redo button
//                            Ctrl+Z, Ctrl+Shift+Z, Ctrl+Y away from the boxes,
//                            or the bar's Undo and Redo
//   help                     Help, then the help panel's close button
//   copy | goals | apply     Copy link, Skill Goals, Apply Plan
//   save button | save key   Save, or Ctrl+S where the focus is
//   open chooser NAME HEXBYTES | open drop NAME HEXBYTES
//                            the file NAME chosen after Open, or dropped on
//                            the page
//   paste button HEXBYTES | paste enter HEXBYTES
//                            the text put in the code field, then Paste or Enter
// Typing reaches the session keystroke by keystroke, and only as a change of
// the box's text, as the page sends it.
// Numbers: per number "BITS TEXT READ", the number's bits in hex, its text
// and the bits of what the text reads back as; per text of number_cases
// "text HEXBYTES READ".
#include <array>
#include <bit>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "events.h"
#include "file_cases.h"
#include "layout/window.h"
#include "number_cases.h"
#include "sheet/tables.h"
#include "skills/catalogue.h"
#include "store/code.h"
#include "store/file.h"
#include "store/text.h"
#include "web/exports.h"
#include "web/session.h"

namespace {

using namespace events;

std::string hex(std::string_view bytes) {
  static constexpr char kHex[] = "0123456789abcdef";
  std::string out;
  for (char c : bytes) {
    out += kHex[static_cast<unsigned char>(c) >> 4];
    out += kHex[static_cast<unsigned char>(c) & 15];
  }
  return out;
}

std::string bits(double value) {
  char buffer[17];
  std::snprintf(buffer, sizeof buffer, "%016llx",
                static_cast<unsigned long long>(std::bit_cast<std::uint64_t>(value)));
  return buffer;
}

std::string arrowName(skills::Value value, sheet::Direction direction) {
  constexpr std::string_view kElements = "fewas";
  const int v = skills::index(value);
  return std::string("cmd") + (v < skills::kElementCount ? 'm' : 'p') +
         kElements[static_cast<std::size_t>(v % skills::kElementCount)] +
         (direction == sheet::Direction::Raise ? 'u' : 'd');
}

void say(const std::string& line, const char* answer) {
  std::printf("%s\n%s\n", line.c_str(), answer ? answer : "");
}

// Sends the event through the C functions; writes it and the answer down.
void play(web::Session* session, const Event& event) {
  constexpr const char* kCombos[] = {"cmbrace", "cmbfc", "cmbsc"};
  constexpr const char* kSpells[] = {"chkBless", "chkShield", "chkEndure"};
  constexpr const char* kBonuses[] = {"chkPBonus1", "chkPBonus2", "chkMBonus1", "chkMBonus2"};
  const sheet::Planner& planner = session->planner();
  std::string line;
  const char* answer =
      std::visit(Overload{
                     [&](const Type& e) {
                       const char* name = kCombos[static_cast<int>(e.selection)];
                       line = std::string("type ") + name + " " + hex(e.text);
                       return plavet_type(session, name, e.text.data(), e.text.size());
                     },
                     [&](const StartReset&) {
                       line = "click cmdstrt";
                       return plavet_click(session, "cmdstrt");
                     },
                     [&](const MultiClass&) {
                       line = "click cmdmulti";
                       return plavet_click(session, "cmdmulti");
                     },
                     [&](const ShowSkills&) {
                       line = "click cmdshsk";
                       return plavet_click(session, "cmdshsk");
                     },
                     [&](const Press& e) {
                       const std::string name = arrowName(e.value, e.direction);
                       line = "mousedown " + name + " " + std::to_string(e.button);
                       return plavet_mouse_down(session, name.c_str(), e.button);
                     },
                     [&](const ClickSpell& e) {  // a click toggles the box
                       const bool checked = !planner.isChecked(e.spell);
                       line = std::string("check ") + kSpells[static_cast<int>(e.spell)] +
                              (checked ? " 1" : " 0");
                       return plavet_check(session, kSpells[static_cast<int>(e.spell)], checked);
                     },
                     [&](const ClickBonus& e) {
                       const bool checked = !planner.isChecked(e.bonus);
                       line = std::string("check ") + kBonuses[static_cast<int>(e.bonus)] +
                              (checked ? " 1" : " 0");
                       return plavet_check(session, kBonuses[static_cast<int>(e.bonus)], checked);
                     },
                 },
                 event);
  say(line, answer);
}

void openCode(web::Session* session, const std::string& code) {
  say("open_code " + hex(code), plavet_open_code(session, code.data(), code.size()));
}

// The plavet's code, opened as it is and then damaged: a character changed,
// one added, or the code cut short.
void link(web::Session* session, RandomChoices& choices) {
  const std::string code = plavet_code(session);
  say("code", code.c_str());
  openCode(session, code);
  constexpr std::string_view kLetters =
      "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789-_+/= #%";
  std::string damaged = code;
  const std::size_t at = choices.below(static_cast<unsigned>(code.size()));
  const char letter = kLetters[choices.below(static_cast<unsigned>(kLetters.size()))];
  switch (choices.below(3)) {
    case 0:
      damaged[at] = letter;
      break;
    case 1:
      damaged.insert(at, 1, letter);
      break;
    default:
      damaged.resize(at);
  }
  openCode(session, damaged);
}

void openFile(web::Session* session, const std::string& name, const std::string& bytes) {
  say("open_file " + name + " " + hex(bytes),
      plavet_open_file(session, name.c_str(), bytes.data(), bytes.size()));
}

// The plavet saved and its file opened; its code pasted in a chat line.
void saveAndOpen(web::Session* session) {
  say("save_file", plavet_save_file(session));
  openFile(session, "run.plavet", store::writePlavetFile(session->planner().state()));
  const std::string line = "try this: " + std::string(plavet_code(session)) + " !";
  say("paste_code " + hex(line), plavet_paste_code(session, line.data(), line.size()));
}

// A sound file opened and a step taken, then every file the reader refuses,
// and one far over the limit: each refusal must leave plavet and history.
void files() {
  web::Session* session = plavet_open();
  openFile(session, "multiclassed-v2.plavet", file_cases::sample("multiclassed-v2.plavet"));
  say("check chkBless 1", plavet_check(session, "chkBless", 1));
  int n = 0;
  for (const file_cases::Refusal& r : file_cases::refusals()) {
    ++n;
    openFile(session, "refused-" + std::to_string(n) + (n % 3 ? ".plavet" : ".txt"), r.file);
  }
  openFile(session, "huge.plavet", "{" + std::string(2 * store::kMaxFileBytes, ' '));
  plavet_close(session);
}

// One event of the Skill Goals view: mostly ticks, some of rows that are
// not there, counts out of range, moves past either end and races not of
// the list.
void goalEvent(web::Session* session, RandomChoices& choices) {
  const goals::Problem& problem = session->goals()->problem();
  const auto number = [](long n) { return " " + std::to_string(n); };
  switch (choices.below(11)) {
    case 0:
    case 1:
    case 2:
    case 3: {
      const unsigned copy = choices.below(2);
      const std::size_t rows =
          skills::rowsOf(copy == 0 ? problem.firstClass : problem.secondClass,
                         copy == 0 ? skills::Copy::FirstClass : skills::Copy::SecondClass)
              .size();
      const unsigned row = choices.below(static_cast<unsigned>(rows) + 2);
      const unsigned ticked = choices.below(4) != 0;
      say("goals_tick" + number(copy) + number(row) + number(ticked),
          plavet_goals_tick(session, static_cast<int>(copy), static_cast<int>(row),
                            static_cast<int>(ticked)));
      break;
    }
    case 4: {
      const unsigned magic = choices.below(4), physical = choices.below(4);
      say("goals_bonuses" + number(magic) + number(physical),
          plavet_goals_bonuses(session, static_cast<int>(magic), static_cast<int>(physical)));
      break;
    }
    case 5:
      say("goals_clear", plavet_goals_clear(session));
      break;
    case 6:
      say("apply_plan", plavet_apply_plan(session));
      break;
    case 7:
      say("goals_open", plavet_goals_open(session));
      break;
    case 8: {  // mostly a goal, else any row
      unsigned copy = choices.below(2), row = choices.below(30);
      if (!problem.goals.empty() && choices.below(4) != 0) {
        const goals::Goal& goal =
            problem.goals[choices.below(static_cast<unsigned>(problem.goals.size()))];
        copy = goal.copy == skills::Copy::FirstClass ? 0 : 1;
        row = static_cast<unsigned>(goal.row);
      }
      const int delta = static_cast<int>(choices.below(7)) - 3;
      say("goals_move" + number(copy) + number(row) + number(delta),
          plavet_goals_move(session, static_cast<int>(copy), static_cast<int>(row), delta));
      break;
    }
    case 9: {
      const unsigned pick = choices.below(static_cast<unsigned>(sheet::kRaceBonuses.size()) + 1);
      const std::string race =
          pick < sheet::kRaceBonuses.size() ? std::string(sheet::kRaceBonuses[pick].race) : "Gnome";
      say("goals_race " + hex(race), plavet_goals_race(session, race.data(), race.size()));
      break;
    }
    default:
      say("goals_view", plavet_goals_view(session));
  }
}

// Runs made from start values START, START+1, ...: `play(session, choices)`
// plays each through a fresh session.
template <class Play>
void eachRun(long count, std::uint64_t start, Play&& play) {
  for (long i = 0; i < count; ++i) {
    const std::uint64_t startValue = start + static_cast<std::uint64_t>(i);
    RandomChoices choices(startValue);
    web::Session* session = plavet_open();
    std::printf("run %llu\n", static_cast<unsigned long long>(startValue));
    play(session, choices);
    plavet_close(session);
  }
}

// Undo and Redo, or a control that ends typing, now and then.
void historyEvent(web::Session* session, RandomChoices& choices) {
  switch (choices.below(4)) {
    case 0:
    case 1:
      say("undo", plavet_undo(session));
      break;
    case 2:
      say("redo", plavet_redo(session));
      break;
    default:
      say("end_typing", plavet_end_typing(session));
  }
}

void runs(long count, std::uint64_t start) {
  eachRun(count, start, [](web::Session* session, RandomChoices& choices) {
    for (const Event& event : makeRun(choices)) {
      play(session, event);
      if (choices.below(6) == 0) historyEvent(session, choices);
    }
    say("skill_tips", plavet_skill_tips(session));
    link(session, choices);
    saveAndOpen(session);
    const std::string code = plavet_code(session);
    say("start_with_code " + hex(code), plavet_start_with_code(session, code.data(), code.size()));
  });
}

// ---- The page's own mouse and keys ---------------------------------------------

// Plays what the page's user does in one history run: each action through
// the session as the page sends it, and what the page then shows.
class PageUser {
 public:
  PageUser(web::Session& session, RandomChoices& choices) : session_(session), choices_(choices) {}

  // A plavet started as a player starts one: three names typed, then Start.
  void start() {
    for (int box = 0; box < 3; ++box) {
      const auto names = layout::items(kCombos[box]);
      answer_ = session_.view();
      typeOver(sheet::Selection(box), std::string(names[choices_.below(unsigned(names.size()))]));
    }
    click("cmdstrt");
  }

  void act() {
    answer_ = session_.view();  // what the page shows if nothing reaches the core
    // Each action with how often it comes.
    using Action = void (PageUser::*)();
    static constexpr std::pair<unsigned, Action> kActions[] = {
        {2, &PageUser::typeReplacing}, {1, &PageUser::typeAppending},   {1, &PageUser::erase},
        {1, &PageUser::startReset},    {1, &PageUser::multiClass},      {1, &PageUser::showSkills},
        {7, &PageUser::pressArrow},    {2, &PageUser::check},           {3, &PageUser::undo},
        {2, &PageUser::redo},          {2, &PageUser::beyondTheWindow}, {1, &PageUser::save},
        {1, &PageUser::open},          {1, &PageUser::paste},
    };
    unsigned roll = choices_.below(26);
    for (const auto& [often, action] : kActions) {
      if (roll < often) return (this->*action)();
      roll -= often;
    }
  }

 private:
  static constexpr std::array<const char*, 3> kCombos = {"cmbrace", "cmbfc", "cmbsc"};

  // Each keystroke leaves `text` in the box: the page sends it if it changed.
  void keystroke(sheet::Selection selection, const std::string& text) {
    if (session_.planner().selectionText(selection) != text)
      answer_ = session_.type(kCombos[static_cast<int>(selection)], text);
  }

  sheet::Selection someBox() { return static_cast<sheet::Selection>(choices_.below(3)); }
  bool locked() const { return session_.planner().selectionsLocked(); }

  // Mostly a name of the box's own list, so that runs get started.
  std::string someText(sheet::Selection box) {
    const auto names =
        layout::items(kCombos[choices_.below(4) != 0 ? int(box) : choices_.below(3)]);
    if (choices_.below(5) != 0) return std::string(names[choices_.below(unsigned(names.size()))]);
    std::string junk;
    for (unsigned n = 1 + choices_.below(5); n > 0; --n) junk += char('a' + choices_.below(26));
    return junk;
  }

  // Select all, then type: the first key replaces the box's text.
  void typeOver(sheet::Selection box, const std::string& text) {
    if (!locked())
      for (std::size_t n = 1; n <= text.size(); ++n) keystroke(box, text.substr(0, n));
    write(std::string("type ") + kCombos[static_cast<int>(box)] + " replace " + text);
  }

  void typeReplacing() {
    const sheet::Selection box = someBox();
    typeOver(box, someText(box));
  }

  void typeAppending() {
    const sheet::Selection box = someBox();
    std::string text;
    for (unsigned n = 1 + choices_.below(3); n > 0; --n) text += char('a' + choices_.below(26));
    if (!locked()) {
      const std::string was = session_.planner().selectionText(box);
      for (std::size_t n = 1; n <= text.size(); ++n) keystroke(box, was + text.substr(0, n));
    }
    write(std::string("type ") + kCombos[static_cast<int>(box)] + " append " + text);
  }

  void erase() {
    const sheet::Selection box = someBox();
    const unsigned count = 1 + choices_.below(3);
    if (!locked()) {
      for (unsigned n = 0; n < count; ++n) {
        std::string text = session_.planner().selectionText(box);
        if (!text.empty()) text.pop_back();
        keystroke(box, text);
      }
    }
    write(std::string("type ") + kCombos[static_cast<int>(box)] + " erase " +
          std::to_string(count));
  }

  void click(const char* button) {
    answer_ = session_.click(button);
    write(std::string("click ") + button);
  }
  void startReset() { click("cmdstrt"); }
  void multiClass() { click("cmdmulti"); }
  void showSkills() { click("cmdshsk"); }

  void pressArrow() {
    constexpr std::string_view kElements = "fewas";
    const unsigned which = choices_.below(20);
    const std::string name = std::string("cmd") + (which & 1 ? 'p' : 'm') + kElements[which / 4] +
                             (which & 2 ? 'd' : 'u');
    const unsigned roll = choices_.below(20);
    const int code = roll < 12 ? 1 : roll < 19 ? 2 : 4;  // left, right, now and then middle
    answer_ = session_.mouseDown(name, code);
    write("mousedown " + name + " " + std::to_string(code));
  }

  void check() {
    constexpr std::array<const char*, 7> kBoxes = {"chkBless",   "chkShield",  "chkEndure",
                                                   "chkPBonus1", "chkPBonus2", "chkMBonus1",
                                                   "chkMBonus2"};
    const unsigned which = choices_.below(7);
    const sheet::Planner& planner = session_.planner();
    const bool checked = which < 3 ? planner.isChecked(sheet::Spell(which))
                                   : planner.isChecked(sheet::Bonus(which - 3));
    answer_ = session_.check(kBoxes[which], !checked);  // a click toggles the box
    write(std::string("check ") + kBoxes[which]);
  }

  // Keys away from the boxes, or the bar's button where it is enabled.
  void undo() {
    const bool button = choices_.below(2) == 0 && session_.history().canUndo();
    answer_ = session_.undo();
    write(button ? "undo button" : "undo key");
  }

  void redo() {
    const unsigned how = choices_.below(3);
    const bool button = how == 0 && session_.history().canRedo();
    answer_ = session_.redo();
    write(button ? "redo button" : how == 1 ? "redo key-y" : "redo key-shift");
  }

  void beyondTheWindow() {
    switch (choices_.below(4)) {
      case 0:
        session_.click("cmdhelp");
        answer_ = session_.endTyping();  // the help panel's close button
        return write("help");
      case 1:
        answer_ = session_.endTyping();
        return write("copy");
      case 2:
        if (!panelOpen_) session_.openGoals();
        answer_ = session_.endTyping();
        panelOpen_ = !panelOpen_;
        return write("goals");
      default:
        if (!panelOpen_ || !session_.goals()->played()) return act();
        answer_ = session_.applyPlan();
        return write("apply");
    }
  }

  // Save keeps the plavet, for a file or a code to bring it back later.
  void save() {
    kept_.push_back(session_.planner().state());
    answer_ = session_.saveFile();
    write(choices_.below(2) == 0 ? "save button" : "save key");
  }

  // A plavet kept, or the one in place.
  sheet::State someKept() {
    return kept_.empty() ? session_.planner().state()
                         : kept_[choices_.below(static_cast<unsigned>(kept_.size()))];
  }

  // A kept plavet's file, a note holding its code, or its file cut short.
  void open() {
    const sheet::State state = someKept();
    std::string name = "kept.plavet", bytes = store::writePlavetFile(state);
    switch (choices_.below(4)) {
      case 0:
        name = "note.txt";
        bytes = "My plavet: " + store::encodeCode(state) + "\n";
        break;
      case 1:
        name = "cut.PLAVET";
        bytes.resize(choices_.below(static_cast<unsigned>(bytes.size())));
        break;
      default:
        break;
    }
    const bool chooser = choices_.below(2) == 0;
    if (chooser) session_.endTyping();  // the Open button
    answer_ = session_.openFile(name, bytes);
    write(std::string(chooser ? "open chooser " : "open drop ") + name + " " + hex(bytes));
  }

  // A kept plavet's code in a chat line or as text, or damaged, or none.
  void paste() {
    const sheet::State state = someKept();
    std::string text;
    switch (choices_.below(4)) {
      case 0:
        text = store::plavetAsText(state);
        break;
      case 1:
        text = store::encodeCode(state);
        text.resize(text.size() / 2);
        break;
      case 2:
        text = "no code here";
        break;
      default:
        text = "try this: " + store::encodeCode(state) + " !";
    }
    answer_ = session_.pasteCode(text);
    write(std::string(choices_.below(2) == 0 ? "paste button " : "paste enter ") + hex(text));
  }

  void write(const std::string& action) {
    std::printf("%s\n%s\n", action.c_str(), answer_.c_str());
  }

  web::Session& session_;
  RandomChoices& choices_;
  std::string answer_;  // what the page shows after the action
  bool panelOpen_ = false;
  std::vector<sheet::State> kept_;  // the plavets saved so far
};

void historyRuns(long count, std::uint64_t start) {
  eachRun(count, start, [](web::Session* session, RandomChoices& choices) {
    PageUser user(*session, choices);
    if (choices.below(4) != 0) user.start();
    for (int n = 0; n < 40; ++n) user.act();
  });
}

void goalRuns(long count, std::uint64_t start) {
  eachRun(count, start, [](web::Session* session, RandomChoices& choices) {
    for (const Event& event : makeRun(choices)) {
      if (choices.below(8) == 0 && !session->goals()) say("goals_open", plavet_goals_open(session));
      play(session, event);
      if (session->goals() && choices.below(2) == 0) goalEvent(session, choices);
    }
  });
}

void numbers() {
  const auto write = [](double value) {
    const std::string text = sheet::formatNumber(value);
    std::printf("%s %s %s\n", bits(value).c_str(), text.c_str(),
                bits(sheet::parseNumber(text)).c_str());
  };
  number_cases::dValues(write);
  number_cases::anyDoubles(write, 20000);
  for (const std::string& text : number_cases::texts())
    std::printf("text %s %s\n", hex(text).c_str(), bits(sheet::parseNumber(text)).c_str());
}

}  // namespace

int main(int argc, char** argv) {
  const std::string_view what = argc > 1 ? argv[1] : "";
  const std::uint64_t start = argc > 3 ? std::strtoull(argv[3], nullptr, 0) : 1;
  if (what == "runs" && argc > 2) {
    runs(std::strtol(argv[2], nullptr, 0), start);
  } else if (what == "goals" && argc > 2) {
    goalRuns(std::strtol(argv[2], nullptr, 0), start);
  } else if (what == "history" && argc > 2) {
    historyRuns(std::strtol(argv[2], nullptr, 0), start);
  } else if (what == "files") {
    files();
  } else if (what == "numbers") {
    numbers();
  } else {
    std::fprintf(stderr, "usage: %s runs|goals|history COUNT [START] | files | numbers\n", argv[0]);
    return 2;
  }
}
