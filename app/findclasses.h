// The Find Classes window: the skills a player wants, typed by name in an
// order the player sets, and the table of every race with every first and
// second class ranked for them (goals::advise), best first; each row tells
// which class gives each skill and why a skill is dropped. Plan This hands a
// row to the main window and Skill Goals.
//
// The table is computed off the interface thread; a newer question stops
// and replaces an older one, so typing never waits for it.
#pragma once

#include <QWidget>
#include <atomic>
#include <functional>
#include <memory>
#include <optional>
#include <thread>

#include "goals/advise.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QListWidget;
class QPushButton;
class QSpinBox;
class QTreeWidget;
class SelectionCombo;

class FindClasses : public QWidget {
  Q_OBJECT
 public:
  // `planThis` takes a row's plan: its race, classes, counts and goals.
  explicit FindClasses(std::function<void(const goals::Problem&)> planThis);
  ~FindClasses() override;

  void open();

  // What a player does, for the buttons and for tests.
  bool addSkill(const QString& typed);  // false, with the mark, for no skill's name
  void removeSkill(int index);
  void moveSkill(int index, int delta);
  void setBonuses(int magic, int physical);
  // Empty texts: any race or class.
  void fix(const QString& race, const QString& firstClass, const QString& secondClass);
  void setShowAll(bool all);
  void planThis();

  // The question and the table shown for it (none before the first answer).
  const goals::Question& question() const { return question_; }
  const std::optional<goals::Advice>& advice() const { return advice_; }
  // Whether the table shown answers the question as it stands.
  bool upToDate() const { return advice_ && shownFor_ == asked_; }

 signals:
  // The table shown now answers the question as it stands.
  void answered();

 private:
  void build();
  QWidget* buildQuestion();
  void ask();
  void stopWorker();
  void showAnswer(int request, goals::Advice advice);
  void showSkills();
  void fillTable();

  std::function<void(const goals::Problem&)> planThis_;
  goals::Question question_;
  std::optional<goals::Advice> advice_;
  bool showAll_ = false;
  int asked_ = 0, shownFor_ = -1;  // requests made, and the one shown

  SelectionCombo* skillBox_ = nullptr;
  QListWidget* skills_ = nullptr;
  QSpinBox* magicBonus_ = nullptr;
  QSpinBox* physicalBonus_ = nullptr;
  QComboBox* race_ = nullptr;
  QComboBox* firstClass_ = nullptr;
  QComboBox* secondClass_ = nullptr;
  QCheckBox* showAllBox_ = nullptr;
  QLabel* status_ = nullptr;
  QTreeWidget* table_ = nullptr;
  QPushButton* planButton_ = nullptr;
  // The table being computed, and its stop. Last, so that it stops and ends
  // before anything it reports to is gone.
  std::unique_ptr<std::atomic<bool>> stop_;
  std::unique_ptr<std::thread> worker_;
};
