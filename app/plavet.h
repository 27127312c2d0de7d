// The main window: the element sheet, its pools, the selections, the skill
// lists and the effect boxes. It forwards every user event to the planner and
// shows what the planner holds; no rule lives here.
#pragma once

#include <QWidget>
#include <array>
#include <memory>

#include "sheet/planner.h"

class QCheckBox;
class QLineEdit;
class QListWidget;
class SelectionCombo;
class Explosion;

// The program's own name, shown by message boxes without a title of their own.
inline constexpr char kApplicationName[] = "PlavetProgram";

class Plavet : public QWidget {
  Q_OBJECT
 public:
  // Messages go to real message boxes unless `messages` is given (tests).
  explicit Plavet(sheet::MessageSink* messages = nullptr, QWidget* parent = nullptr);
  ~Plavet() override;

  const sheet::Planner& planner() const { return planner_; }
  Explosion* helpWindow() const { return help_.get(); }

  // Shows the planner's state in the controls.
  void render();

  // Event handlers.
  void Form_Load();
  void cmdstrt_Click();
  void cmdmulti_Click();
  void cmdshsk_Click();
  void cmdhelp_Click();
  void chkBless_Click();
  void chkShield_Click();
  void chkEndure_Click();

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  class Messages;
  void buildControls();
  void wireControls();
  void setTabOrder();
  void spellClicked(sheet::Spell spell);
  void bonusClicked(sheet::Bonus bonus);
  void arrowMouseDown(skills::Value value, sheet::Direction direction, int buttonCode);

  std::unique_ptr<Messages> messages_;
  sheet::Planner planner_;
  std::array<QLineEdit*, sheet::kBoxCount> boxes_{};
  std::array<SelectionCombo*, 3> selections_{};
  std::array<QCheckBox*, 3> spells_{};
  std::array<QCheckBox*, 4> bonuses_{};
  QListWidget* firstClassList_ = nullptr;
  QListWidget* secondClassList_ = nullptr;
  std::unique_ptr<Explosion> help_;
};
