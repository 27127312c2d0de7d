// The program's main window: a menu bar over the planner's window, which it
// holds unchanged, and what the menus do: files, plavet codes, the undo
// history, help.
#pragma once

#include <QMainWindow>
#include <functional>
#include <memory>

#include "goals/goals.h"
#include "history/history.h"

class Plavet;
class FindClasses;
class SkillGoals;
class QAction;
class QMenu;

class PlavetWindow : public QMainWindow {
  Q_OBJECT
 public:
  // `messages` as for Plavet: the planner's messages go to real message boxes
  // unless it is given (tests).
  explicit PlavetWindow(sheet::MessageSink* messages = nullptr, QWidget* parent = nullptr);
  ~PlavetWindow() override;

  Plavet* plavet() const { return plavet_; }
  const QString& filePath() const { return filePath_; }
  const history::History& history() const { return history_; }
  // Whether the plavet has changes that closing would lose.
  bool needsSaving() const;

  // Opens a plavet file (or a text file holding a plavet code); a file that
  // cannot be opened is refused with its reason and nothing changes.
  bool openFile(const QString& path);
  // Opens the plavet of a code, or of the first code in a text (a link, a
  // chat line), without a file; one that cannot be used is refused with its
  // reason and nothing changes.
  bool openCode(const QString& text);
  // Writes the plavet to `path`; a failed save says why and keeps the plavet
  // marked as changed.
  bool saveFile(const QString& path);

  // Where the window asks the user; tests answer instead of a person.
  enum class Answer { Save, Discard, Cancel };
  std::function<Answer()> askToSave;
  std::function<QString(bool forSaving)> chooseFile;  // empty: the user cancelled
  std::function<void(const QString& text, const QString& title)> tell;

  // The menus' commands.
  void newPlavet();
  void openPlavet();
  bool save();
  bool saveAs();
  void quit();
  void undo();
  void redo();
  void copyAsText();
  void copyCode();
  void pasteCode();
  void about();
  void showSkillGoals();
  void showFindClasses();

  // The Skill Goals window, once it has been opened.
  SkillGoals* skillGoals() const { return skillGoals_.get(); }
  // The Find Classes window, once it has been opened.
  FindClasses* findClasses() const { return findClasses_.get(); }
  // A new plavet with the problem's race and classes (asking to save a
  // changed one, as New does; one undo step when nothing was asked), and
  // Skill Goals planning its goals.
  void planFor(const goals::Problem& problem);
  // Puts `state` in place of the plavet as one step of the undo history.
  void replacePlavet(const sheet::State& state, const QString& stepName);

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void buildMenus();
  void fillRecentMenu();
  void rememberRecent(const QString& path);
  void recordAction(const QString& name, int mergeKey, const sheet::State& before);
  // Puts a plavet in place with a fresh history, from `path` or from nowhere.
  void startOver(const sheet::State& state, const QString& path);
  // Shows `state` in the window, and tells Skill Goals that the plavet was
  // replaced rather than changed by a press.
  void putInPlace(const sheet::State& state);
  // Asks to save when closing the plavet would lose changes; false: cancelled.
  bool maySetPlavetAside();
  void showStatus();

  Plavet* plavet_;
  history::History history_;
  QString filePath_;
  QAction* undoAction_ = nullptr;
  QAction* redoAction_ = nullptr;
  QAction* arrowKeysAction_ = nullptr;
  QMenu* recentMenu_ = nullptr;
  std::unique_ptr<SkillGoals> skillGoals_;    // made on first use
  std::unique_ptr<FindClasses> findClasses_;  // likewise
  bool quitting_ = false;
};
