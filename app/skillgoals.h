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
  // Follows what `plavet` shows; `put` puts a plavet in its place as a step
  // of the undo history with the step's name: the plavet with the goals
  // ticked, moved or cleared and the counts set, or a played plan.
  using Put = std::function<void(const sheet::State&, const QString& step)>;
  SkillGoals(const Plavet& plavet, Put put);
  ~SkillGoals() override;

  // Opens (or brings to the front) with the goals and counts the plavet
  // keeps, sized to fit the screen of the main window and beside it where
  // the screen has room.
  void open();
  // The main window put another plavet in place (New, Open, Paste, Undo,
  // Redo, Apply Plan): its goals and counts are read again.
  void plavetReplaced();
  // Where a window of `wanted` size goes beside the main window's frame
  // `main` on a screen of `room`: to its right, else to its left, where it
  // fits whole; else on the side with more room, narrowed to it down to
  // `least`; else at that side of the screen, over the main window only as
  // far as it must.
  static QRect placeBeside(const QRect& main, const QRect& room, QSize wanted, int least);
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
  void bonusesChanged(bool magic);
  // Puts the plavet with the goals and counts planned in place as a step.
  void keepGoals(const QString& step);
  // Shows everything that follows from the plan, when it is one not shown yet.
  void showPlan();
  QString summary() const;

  const Plavet& plavet_;
  Put put_;
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
