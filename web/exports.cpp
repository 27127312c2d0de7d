#include "web/exports.h"

#include <cstdint>
#include <string>

#include "history/steps.h"
#include "sheet/numbers.h"
#include "store/file.h"
#include "web/handout.h"
#include "web/json.h"
#include "web/layoutjson.h"
#include "web/session.h"

using web::handOut;

namespace {

// The Skill Goals view after `change`, which says whether it took; nothing
// before the view exists. A change is the user's: typing in a box ends. A
// change of the goals or counts is kept in the plavet as the step that
// `step` names after it took, and the view then names the steps Undo and
// Redo would take ("undo", "redo"), as an event does.
template <class Change, class Step>
const char* goalsAfter(web::Session* session, Change&& change, Step&& step) {
  web::GoalsView* goals = session->goals();
  if (!goals || !change(*goals)) return nullptr;
  const std::string name = step(*goals);
  if (name.empty()) {
    session->endTyping();
    return handOut(goals->json());
  }
  session->keepGoals(name);
  std::string out = goals->json();
  out.pop_back();
  web::json::text(out, "undo", session->history().undoName());
  web::json::text(out, "redo", session->history().redoName());
  out += '}';
  return handOut(std::move(out));
}

skills::Copy copyOf(int copy) {
  return copy == 0 ? skills::Copy::FirstClass : skills::Copy::SecondClass;
}

// The step of a tick, named after the skill ticked.
auto tickStep(int copy, int row, bool ticked) {
  return [=](const web::GoalsView& goals) {
    return history::steps::tickGoal(goals::rowOf(goals.problem(), {copyOf(copy), row}).text,
                                    ticked);
  };
}

}  // namespace

extern "C" {

PLAVET_EXPORT web::Session* plavet_open() {
  return new web::Session;
}

PLAVET_EXPORT void plavet_close(web::Session* session) {
  delete session;
}

PLAVET_EXPORT const char* plavet_click(web::Session* session, const char* button) {
  return handOut(session->click(button));
}

PLAVET_EXPORT const char* plavet_mouse_down(web::Session* session, const char* arrow,
                                            int buttonCode) {
  return handOut(session->mouseDown(arrow, buttonCode));
}

PLAVET_EXPORT const char* plavet_check(web::Session* session, const char* box, int checked) {
  return handOut(session->check(box, checked != 0));
}

PLAVET_EXPORT const char* plavet_type(web::Session* session, const char* combo, const char* text,
                                      std::size_t length) {
  return handOut(session->type(combo, std::string_view(text, length)));
}

PLAVET_EXPORT const char* plavet_state(web::Session* session) {
  return handOut(session->state());
}

PLAVET_EXPORT const char* plavet_undo(web::Session* session) {
  return handOut(session->undo());
}

PLAVET_EXPORT const char* plavet_redo(web::Session* session) {
  return handOut(session->redo());
}

PLAVET_EXPORT const char* plavet_end_typing(web::Session* session) {
  return handOut(session->endTyping());
}

PLAVET_EXPORT const char* plavet_skill_tips(web::Session* session) {
  return handOut(session->skillTips());
}

PLAVET_EXPORT const char* plavet_layout() {
  return handOut(web::layoutJson());
}

PLAVET_EXPORT const char* plavet_format_number(double value) {
  return handOut(sheet::formatNumber(value));
}

PLAVET_EXPORT double plavet_parse_number(const char* text, std::size_t length) {
  return sheet::parseNumber(std::string_view(text, length));
}

PLAVET_EXPORT const char* plavet_code(web::Session* session) {
  return handOut(session->code());
}

PLAVET_EXPORT const char* plavet_open_code(web::Session* session, const char* code,
                                           std::size_t length) {
  return handOut(session->openCode(std::string_view(code, length)));
}

PLAVET_EXPORT const char* plavet_start_with_code(web::Session* session, const char* code,
                                                 std::size_t length) {
  return handOut(session->openCode(std::string_view(code, length), true));
}

PLAVET_EXPORT const char* plavet_save_file(web::Session* session) {
  return handOut(session->saveFile());
}

PLAVET_EXPORT const char* plavet_open_file(web::Session* session, const char* name,
                                           const char* bytes, std::size_t length) {
  return handOut(session->openFile(name, std::string_view(bytes, length)));
}

// A size in a double: a file's size may pass 32 bits, and the module's size_t
// has no more.
PLAVET_EXPORT const char* plavet_open_large_file(web::Session* session, const char* name,
                                                 double size) {
  if (!(size >= 0 && size < 0x1p64)) return nullptr;
  return handOut(session->openLargeFile(name, static_cast<std::uint64_t>(size)));
}

PLAVET_EXPORT double plavet_max_file_bytes() {
  return static_cast<double>(store::kMaxFileBytes);
}

PLAVET_EXPORT const char* plavet_paste_code(web::Session* session, const char* text,
                                            std::size_t length) {
  return handOut(session->pasteCode(std::string_view(text, length)));
}

PLAVET_EXPORT const char* plavet_goals_open(web::Session* session) {
  session->endTyping();
  return handOut(session->openGoals().json());
}

PLAVET_EXPORT const char* plavet_goals_view(web::Session* session) {
  web::GoalsView* goals = session->goals();
  return goals ? handOut(goals->json()) : nullptr;
}

PLAVET_EXPORT const char* plavet_goals_tick(web::Session* session, int copy, int row, int ticked) {
  if (copy != 0 && copy != 1) return nullptr;
  return goalsAfter(
      session, [&](web::GoalsView& goals) { return goals.tick(copyOf(copy), row, ticked != 0); },
      tickStep(copy, row, ticked != 0));
}

PLAVET_EXPORT const char* plavet_goals_bonuses(web::Session* session, int magic, int physical) {
  web::GoalsView* view = session->goals();
  const bool magicSet = view && view->problem().magicBonus != magic;
  return goalsAfter(
      session, [&](web::GoalsView& goals) { return goals.setBonuses(magic, physical); },
      [&](const web::GoalsView&) { return history::steps::setBonusCount(magicSet); });
}

PLAVET_EXPORT const char* plavet_goals_clear(web::Session* session) {
  return goalsAfter(
      session,
      [](web::GoalsView& goals) {
        goals.clear();
        return true;
      },
      [](const web::GoalsView&) { return std::string(history::steps::kClearGoals); });
}

PLAVET_EXPORT const char* plavet_goals_move(web::Session* session, int copy, int row, int delta) {
  if (copy != 0 && copy != 1) return nullptr;
  return goalsAfter(
      session, [&](web::GoalsView& goals) { return goals.move(copyOf(copy), row, delta); },
      [&](const web::GoalsView&) { return history::steps::moveGoal(delta); });
}

PLAVET_EXPORT const char* plavet_goals_race(web::Session* session, const char* race,
                                            std::size_t length) {
  return goalsAfter(
      session,
      [&](web::GoalsView& goals) { return goals.chooseRace(std::string_view(race, length)); },
      [](const web::GoalsView&) { return std::string(); });  // the plavet's race stays
}

PLAVET_EXPORT const char* plavet_apply_plan(web::Session* session) {
  return handOut(session->applyPlan());
}
}
