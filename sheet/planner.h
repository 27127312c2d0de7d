// The planner: one plavet, the window's state and every rule that changes it.
// The window only forwards the user's events here and shows what it holds.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "sheet/messages.h"
#include "sheet/plangoals.h"
#include "skills/elements.h"
#include "skills/skilllist.h"

namespace sheet {

// The eighteen number boxes: the ten M and P values (in the order of
// skills::Value), the five D values and the three pools.
// clang-format off
enum class Box : std::uint8_t {
  mf, me, mw, ma, ms,
  pf, pe, pw, pa, ps,
  df, de, dw, da, ds,
  mpr, ppr, epr,
};
// clang-format on
inline constexpr int kBoxCount = 18;

constexpr Box boxOf(skills::Value v) {
  return static_cast<Box>(skills::index(v));
}
constexpr Box dBox(int element) {
  return static_cast<Box>(static_cast<int>(Box::df) + element);
}

enum class Selection : std::uint8_t { Race, FirstClass, SecondClass };
enum class Spell : std::uint8_t { Bless, Shield, Endure };
enum class Bonus : std::uint8_t { PBonus1, PBonus2, MBonus1, MBonus2 };
enum class Direction : std::uint8_t { Raise, Lower };

// Mouse-button codes as an arrow button reports them.
inline constexpr std::int16_t kLeftButton = 1;
inline constexpr std::int16_t kRightButton = 2;
inline constexpr std::int16_t kMiddleButton = 4;

// Ceiling of every M and P value.
inline constexpr double kMaxValue = 200;

// Everything a plavet is: what the window's boxes, selections, checkboxes and
// lists show, and the window's flags.
struct State {
  std::array<double, kBoxCount> boxes{};  // each as its text reads back
  std::array<std::string, 3> selections{};
  bool selectionsLocked = false;
  std::array<bool, 3> spells{};   // by Spell
  std::array<bool, 4> bonuses{};  // by Bonus
  skills::SkillList firstClassSkills;
  skills::SkillList secondClassSkills;
  bool started = false;
  bool startResetToggle = false;  // always equal to started, tested where the rules say
  bool multiClassed = false;
  // The ten M and P values at multi-classing, the values the first-class list
  // was built from then: what the first class learned. Kept until the next
  // Start/Reset; none before multi-classing (nor for a plavet from a file
  // that did not keep it).
  std::optional<skills::ElementValues> valuesAtMultiClass;
  // What the plavet is planned for (see plangoals.h); no rule here uses it.
  Goals goals;

  bool operator==(const State&) const = default;
};

class Planner {
 public:
  explicit Planner(MessageSink& messages) : messages_(messages) {}
  Planner(const Planner&) = delete;
  Planner& operator=(const Planner&) = delete;

  // ---- What the user does --------------------------------------------
  void load();        // the window opens
  void startReset();  // "Start/Reset Plavet"
  void multiClass();  // "Multi-Class Now!"
  void showSkills();  // "Show Current Skills"
  void pressArrow(skills::Value value, Direction direction, std::int16_t button);
  void toggleSpell(Spell spell, bool checked);  // the user set the box so
  void toggleBonus(Bonus bonus, bool checked);
  void setSelectionText(Selection selection, std::string_view text);  // ignored while locked

  // ---- The window's procedures ----------------------------------------
  void Whoops();
  void delement();
  void skillcheck();
  void multiskillcheck();
  void firstclassskillcheck();
  void secondclassskillcheck();

  // ---- What the window shows ------------------------------------------
  const State& state() const { return s_; }
  double value(Box box) const { return s_.boxes[index(box)]; }
  std::string text(Box box) const;
  const std::string& selectionText(Selection s) const { return s_.selections[index(s)]; }
  bool selectionsLocked() const { return s_.selectionsLocked; }
  bool isChecked(Spell s) const { return s_.spells[index(s)]; }
  bool isChecked(Bonus b) const { return s_.bonuses[index(b)]; }
  const skills::SkillList& firstClassSkills() const { return s_.firstClassSkills; }
  const skills::SkillList& secondClassSkills() const { return s_.secondClassSkills; }
  bool started() const { return s_.started; }
  bool multiClassed() const { return s_.multiClassed; }
  const std::optional<skills::ElementValues>& valuesAtMultiClass() const {
    return s_.valuesAtMultiClass;
  }

  // Puts a whole plavet in place, as a test or a replay sets up a sheet.
  void restore(const State& state) { s_ = state; }

 private:
  template <class E>
  static constexpr int index(E e) {
    return static_cast<int>(e);
  }

  double get(Box box) const { return s_.boxes[index(box)]; }
  void set(Box box, double v);  // as writing the box's text and reading it back
  void zeroSheet();
  skills::ElementValues elementValues() const;
  bool anySelectionEmpty() const;
  void say(std::string_view text, std::string_view title) { messages_.show(text, title); }

  void startPlavet();
  void resetPlavet();
  void raise(Box value, Box kindPool, std::int16_t button);
  void lower(Box value, Box kindPool, std::int16_t button);

  MessageSink& messages_;
  State s_;
};

}  // namespace sheet
