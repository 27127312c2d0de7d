// The Skill Goals window: every skill of the chosen classes with what it
// needs and how far the plavet is from it; the skills ticked are goals, taken
// in an order the player sets; the best plan for them is shown with what
// else would still fit and how every race would fare, and can be played into
// the main window.
#pragma once

#include <QWidget>
#include <functional>
#include <optional>

#include "goals/planning.h"

class Plavet;
class QLabel;
class QLayout;
class QListWidget;
class QPushButton;
class QSpinBox;
class QTextBrowser;
class QTreeWidget;
class QTreeWidgetItem;

class SkillGoals : public QWidget {
  Q_OBJECT
 public:
  // Follows what `plavet` shows; `apply` puts a played plan in its place.
  SkillGoals(const Plavet& plavet, std::function<void(const sheet::State&)> apply);
  ~SkillGoals() override;

  // Opens (or brings to the front) with the clan-town boxes of the plavet,
  // sized to fit the screen of the main window.
  void open();
  // Opens planning these goals, in this order, with these clan-town counts:
  // a plan found elsewhere (Find Classes), for the plavet's race and classes.
  void openWith(const std::vector<goals::Goal>& goals, int magicBonus, int physicalBonus);
  // The main window put another plavet in place (New, Open, Paste, Undo,
  // Redo, Apply Plan): the clan-town counts are read again from its boxes.
  void plavetReplaced();
  // The goals as the player ticked and ordered them, and the plan for them
  // (none while the selections are not names of their lists).
  const goals::Problem& problem() const { return planning_.problem(); }
  const std::optional<goals::Plan>& plan() const { return planning_.plan(); }
  const goals::Planning& planning() const { return planning_; }
  void applyPlan();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 signals:
  // A control of this window was used: typing in a selection box of the
  // main window ends there.
  void used();

 private:
  void build();
  QWidget* buildLists();
  QWidget* buildOrder();
  QWidget* buildPlanArea();
  QLayout* buildButtons();
  // Shows the plavet as it stands: the lists for its classes (goals kept while
  // the classes stay), and how far each skill is. A plavet `replaced` has its
  // clan-town counts read again.
  void follow(bool replaced = false);
  void fillLists();
  void showRows();
  void showOrder();
  void showCounts();
  void showRaces();
  void goalTicked(QTreeWidgetItem* item);
  void moveGoal(int delta);
  void raceChosen(QTreeWidgetItem* item);
  void bonusesChanged();
  // Shows everything that follows from the plan, when it is one not shown yet.
  void showPlan();
  QString summary() const;

  const Plavet& plavet_;
  std::function<void(const sheet::State&)> apply_;
  goals::Planning planning_;
  int planShown_ = -1;  // planning_.plansMade() when the plan was last shown

  QLabel* hint_ = nullptr;
  QWidget* goalsArea_ = nullptr;
  QLabel* firstTitle_ = nullptr;
  QLabel* secondTitle_ = nullptr;
  QTreeWidget* firstList_ = nullptr;
  QTreeWidget* secondList_ = nullptr;
  QListWidget* order_ = nullptr;
  QPushButton* moveUp_ = nullptr;
  QPushButton* moveDown_ = nullptr;
  QSpinBox* magicBonus_ = nullptr;
  QSpinBox* physicalBonus_ = nullptr;
  QTextBrowser* summary_ = nullptr;
  QTreeWidget* races_ = nullptr;
  QPushButton* applyButton_ = nullptr;
};
