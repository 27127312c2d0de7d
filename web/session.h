// One plavet as the page sees it: the planner behind the page's controls,
// addressed by the controls' names, and what each user event makes the page
// show, written as JSON for the page's script.
#pragma once

#include <memory>
#include <string>
#include <string_view>

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
  // page shows, as {"messages":[{"text","title","state"}...],"state":{...}}:
  // the messages in the order the rules showed them, each with the state it
  // was shown over, then the state after the event. A name that is no
  // control of that kind returns an empty text and changes nothing.
  std::string click(std::string_view button);                       // cmdstrt, cmdmulti, cmdshsk
  std::string mouseDown(std::string_view arrow, int buttonCode);    // cmdmfu ... cmdpsd
  std::string check(std::string_view box, bool checked);            // chkBless ... chkMBonus2
  std::string type(std::string_view combo, std::string_view text);  // cmbrace, cmbfc, cmbsc

  // The state now: {"txtmf":"15",...,"cmbrace":"Dwarf",...,"chkBless":false,
  // ...,"fclstskill":[...],"sclstskill":[...],"locked":...,"started":...,
  // "multiClassed":...}.
  std::string state() const;

  const sheet::Planner& planner() const { return planner_; }

  // The plavet as a code, for a link.
  std::string code() const;
  // A link's code opened: the plavet it holds, with its lists as "Show
  // Current Skills" leaves them, or a message saying why it can't be used
  // and the plavet as it was.
  std::string openCode(std::string_view code);

  // The Skill Goals view: built when the page first opens it, and from then
  // on following every event. None before.
  GoalsView& openGoals();
  GoalsView* goals() { return goals_.get(); }
  // "Apply Plan": the view's plan played into the plavet, without a message.
  // Empty, and nothing changes, without a plan.
  std::string applyPlan();

 private:
  void show(std::string_view text, std::string_view title) override;
  template <class Action>
  std::string outcome(Action&& action);

  sheet::Planner planner_{*this};
  std::string messages_;  // the JSON of the messages shown so far during an event
  std::unique_ptr<GoalsView> goals_;
};

}  // namespace web
