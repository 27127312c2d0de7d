// One plavet as the page sees it: the planner behind the page's controls,
// addressed by the controls' names, its undo history, and what each user
// event makes the page show, written as JSON for the page's script.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "history/history.h"
#include "sheet/planner.h"
#include "web/goalsview.h"

namespace web {

class Session final : public sheet::MessageSink {
 public:
  Session();  // the page opens
  ~Session() override;
  Session(const Session&) = delete;
  Session& operator=(const Session&) = delete;

  // One user event each, on the control of that name. Each returns what the
  // page shows, as {"messages":[{"text","title","state"}...],"state":{...},
  // "undo":"Raise M Fire by 10","redo":""}: the messages in the order the
  // rules showed them, each with the state it was shown over, then the state
  // after the event, then the names of the steps Undo and Redo would take
  // (empty: none). A name that is no control of that kind returns an empty
  // text and changes nothing.
  //
  // Each event is a step of the undo history, named as the desktop names it
  // (history/steps.h), unless it changed nothing; typing on in one selection
  // box is one step, and any other event ends the typing.
  std::string click(std::string_view button);  // cmdstrt, cmdmulti, cmdshsk, cmdhelp
  std::string mouseDown(std::string_view arrow, int buttonCode);    // cmdmfu ... cmdpsd
  std::string check(std::string_view box, bool checked);            // chkBless ... chkMBonus2
  std::string type(std::string_view combo, std::string_view text);  // cmbrace, cmbfc, cmbsc

  // Undo and Redo put the plavet before the last step, or after the next,
  // back in place: no rule runs and no message shows. With nothing to undo
  // or redo nothing happens.
  std::string undo();
  std::string redo();
  // The user used a control or command of the page that changes no plavet
  // (Copy link, the panels): typing in a selection box ends.
  std::string endTyping();

  // What the page shows now, as an event answers but without messages.
  std::string view() const;

  // The state now: {"txtmf":"15",...,"cmbrace":"Dwarf",...,"locked":...,
  // "warnings":{"cmbrace":"","cmbfc":"“druid” is not a class of the list,
  // ...","cmbsc":""},"chkBless":false,...,"fclstskill":[...],
  // "sclstskill":[...],"started":...,"multiClassed":...}. A warning says why
  // a selection's text applies no rule (sheet::selectionWarning), as the
  // desktop marks its box; empty for an empty text or a name of the list.
  std::string state() const;

  const sheet::Planner& planner() const { return planner_; }
  const history::History& history() const { return history_; }

  // The plavet as a code, for a link.
  std::string code() const;
  // A link's code opened in the page, as a pasted plavet code: the plavet it
  // holds, with its lists rebuilt as store::withListsRebuilt does (as "Show
  // Current Skills" leaves them, but a multi-classed plavet's first-class
  // list as multi-classing made it from its values then), or a message
  // saying why it can't be used and the plavet as it was. The link the page
  // opens with starts the history afresh instead (`startsHistory`), as a
  // file opened at start does on the desktop. A plavet of a link or a code
  // has no file until it is saved.
  std::string openCode(std::string_view code, bool startsHistory = false);

  // Files, written and read as the desktop writes and reads them
  // (store/file.h), without a step of the history:
  //
  // Save answers as an event, with "file":{"name":"plavet.plavet","text":
  // "{\n  \"format\": ..."}: the file's text, named as the .plavet file the
  // plavet was opened from, else "plavet.plavet". A plavet whose file Open
  // would refuse gets no "file" but a message saying why ("Save Plavet").
  // It records nothing and ends typing, as the desktop's Save (which marks
  // the history clean: the page shows nothing of that).
  // A plavet saved has its file's name from then on.
  std::string saveFile();
  // Open: the file `name` with these bytes. Its plavet starts the history
  // afresh, as the desktop's Open does; a file that can't be used is refused
  // ("The file NAME cannot be opened: REASON", "Open Plavet") and nothing
  // changes but the end of typing.
  std::string openFile(std::string_view name, std::string_view bytes);
  // A file larger than kMaxFileBytes, refused by its size without being
  // read, as the desktop refuses it. Empty for a size that is not too large.
  std::string openLargeFile(std::string_view name, std::uint64_t size);

  // "Paste plavet code": the first code in any text (a code, a link, a chat
  // line, the plavet as text), as one step; or a message saying why it
  // can't be used ("Paste Plavet Code") and the plavet as it was.
  std::string pasteCode(std::string_view text);

  // The Skill Goals view: built when the page first opens it, and from then
  // on following every event. None before.
  GoalsView& openGoals();
  GoalsView* goals() { return goals_.get(); }
  // A change in the view (a tick, a move, a count, Clear Goals) kept in the
  // plavet as the step `step` ("Tick Goal Vorpalize"), unless it changed
  // nothing; typing ends.
  void keepGoals(std::string_view step);
  // "Apply Plan": the view's plan played into the plavet, without a message,
  // as one step. Empty, and nothing changes, without a plan.
  std::string applyPlan();

  // Compare's "Open compared": `state` in place of the plavet, as one step.
  std::string openCompared(const sheet::State& state);

  // "Plan This" of Find Classes: a fresh plavet with these selections,
  // planning these goals with these counts, in place as one step (the page
  // asks nothing before it sets a plavet aside, so the one before stays one
  // Undo away).
  std::string planFor(std::string_view race, std::string_view firstClass,
                      std::string_view secondClass, std::vector<sheet::Goal> goals,
                      sheet::BonusCounts counts);
  // What each skill of the lists needs, as the desktop's lists tell on
  // hover: {"fclstskill":["Needs MFire 55","Needs nothing: always listed",
  // ...],"sclstskill":[...]}, item for item; empty for an item that is no
  // skill of the class its box names now.
  std::string skillTips() const;

 private:
  void show(std::string_view text, std::string_view title) override;
  void putInPlace(const sheet::State& state);
  // The first code in `text` in place of the plavet, as one step, or else
  // `refusal` and the reason, titled `title`.
  std::string replaceWithCode(std::string_view text, std::string_view refusal,
                              std::string_view title);
  std::string refuseFile(std::string_view name, std::string_view reason);
  void forgetFile();  // a plavet of a link or a code: Save names it afresh
  // `action` as one user event: a step called `step` unless it changes
  // nothing; `mergeKey` as for History::record.
  template <class Action>
  std::string outcome(std::string_view step, int mergeKey, Action&& action);
  std::string answer();  // what the page shows after an event: the view caught up
  std::string written(std::string_view messages) const;

  sheet::Planner planner_{*this};
  history::History history_;
  std::string messages_;  // the JSON of the messages shown so far during an event
  std::unique_ptr<GoalsView> goals_;
  std::string fileName_;  // the name Save gives the file
  bool hasFile_ = false;  // opened from a .plavet file or saved; a link or a code has none
};

}  // namespace web
