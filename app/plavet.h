// The main window: the element sheet, its pools, the selections, the skill
// lists and the effect boxes. It forwards every user event to the planner and
// shows what the planner holds; no rule lives here.
#pragma once

#include <QWidget>
#include <array>
#include <functional>
#include <memory>
#include <optional>

#include "sheet/planner.h"

class QCheckBox;
class QLineEdit;
class QListWidget;
class SelectionCombo;
class Explosion;

// The program's own name, shown by message boxes without a title of their own.
inline constexpr char kApplicationName[] = "PlavetProgram";
// The main window's caption.
inline constexpr char kWindowCaption[] = "Plavet Program v1.33";

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

  // Puts a whole plavet in place and shows it, running no rule and showing no
  // message: undo, redo, a file opened, a code pasted.
  void restorePlavet(const sheet::State& state);

  // Whether Space and Enter press a focused arrow button (a left press, with
  // Shift a right one). Off unless the player turns it on; `keysSetting`,
  // when given, is asked the first time it matters.
  bool arrowKeys();
  void setArrowKeys(bool on);
  std::function<bool()> keysSetting;

  // Event handlers.
  void Form_Load();
  void cmdstrt_Click();
  void cmdmulti_Click();
  void cmdshsk_Click();
  void cmdhelp_Click();
  void chkBless_Click();
  void chkShield_Click();
  void chkEndure_Click();

 signals:
  // After every user action: its name as the undo history shows it ("Raise M
  // Fire by 10"), a key shared by the edits of one selection box (0 for any
  // other control), and the plavet before the action. Sent whether or not the
  // action changed anything.
  void acted(const QString& name, int mergeKey, const sheet::State& before);
  // The controls show the planner's state afresh.
  void rendered();
  // A control that changes nothing of the plavet was used (Help, a list).
  void used();

 protected:
  void paintEvent(QPaintEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  class Messages;
  class Acting;
  void buildControls();
  void wireControls();
  void setTabOrder();
  void spellClicked(sheet::Spell spell);
  void bonusClicked(sheet::Bonus bonus);
  void arrowMouseDown(skills::Value value, sheet::Direction direction, int buttonCode);
  void selectionEdited(sheet::Selection selection, const QString& text);
  void markSelection(sheet::Selection selection);
  QString skillTip(const QListWidget* list, const QString& skill) const;

  std::unique_ptr<Messages> messages_;
  sheet::Planner planner_;
  std::array<QLineEdit*, sheet::kBoxCount> boxes_{};
  std::array<SelectionCombo*, 3> selections_{};
  std::array<QCheckBox*, 3> spells_{};
  std::array<QCheckBox*, 4> bonuses_{};
  QListWidget* firstClassList_ = nullptr;
  QListWidget* secondClassList_ = nullptr;
  std::unique_ptr<Explosion> help_;
  std::optional<bool> arrowKeys_;  // unknown until it first matters
};
