// The Skill Goals window: every skill of the chosen classes with what it
// needs and how far the plavet is from it; the skills ticked are goals, and
// the best plan for them is shown and can be played into the main window.
#pragma once

#include <QWidget>
#include <functional>
#include <optional>

#include "goals/planning.h"

class Plavet;
class QLabel;
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

  // Opens (or brings to the front) with the clan-town boxes of the plavet.
  void open();
  // The goals as the player ticked them, and the plan for them (none while
  // the selections are not names of their lists).
  const goals::Problem& problem() const { return planning_.problem(); }
  const std::optional<goals::Plan>& plan() const { return planning_.plan(); }
  void applyPlan();

 private:
  void build();
  // Shows the plavet as it stands: the lists for its classes (goals kept while
  // the classes stay), and how far each skill is.
  void follow();
  void fillLists();
  void showProgress();
  void goalTicked(QTreeWidgetItem* item);
  void bonusesChanged();
  // Shows the plan, when it is one not shown yet.
  void showPlan();
  QString summary() const;

  const Plavet& plavet_;
  std::function<void(const sheet::State&)> apply_;
  goals::Planning planning_;
  int planShown_ = -1;  // planning_.plansMade() when the summary was written

  QLabel* hint_ = nullptr;
  QWidget* goalsArea_ = nullptr;
  QLabel* firstTitle_ = nullptr;
  QLabel* secondTitle_ = nullptr;
  QTreeWidget* firstList_ = nullptr;
  QTreeWidget* secondList_ = nullptr;
  QSpinBox* magicBonus_ = nullptr;
  QSpinBox* physicalBonus_ = nullptr;
  QTextBrowser* summary_ = nullptr;
  QPushButton* applyButton_ = nullptr;
};
