// The program's main window: a menu bar over the planner's window, which it
// holds unchanged, and what the menus do: files, plavet codes, the undo
// history, help.
#pragma once

#include <QMainWindow>
#include <functional>
#include <memory>

#include "app/document.h"
#include "goals/goals.h"

class CompareWindow;
class Plavet;
class FindClasses;
class SkillGoals;
class QAction;
class QMenu;

class PlavetWindow : public QMainWindow {
  Q_OBJECT

 private:
  // First, so that the askings below, which are the document's, are there
  // before them.
  PlavetDocument document_;

 public:
  // `messages` as for Plavet: the planner's messages go to real message boxes
  // unless it is given (tests).
  explicit PlavetWindow(sheet::MessageSink* messages = nullptr, QWidget* parent = nullptr);
  ~PlavetWindow() override;

  Plavet* plavet() const { return plavet_; }
  // The plavet's file, modified state and undo history, and the commands
  // that open, save and set it aside.
  PlavetDocument& document() { return document_; }
  const PlavetDocument& document() const { return document_; }
  const QString& filePath() const { return document_.path(); }
  const history::History& history() const { return document_.history(); }
  // Whether the plavet has changes that closing would lose.
  bool needsSaving() const { return document_.needsSaving(); }

  // Opens a plavet file (or a text file holding a plavet code); a file that
  // cannot be opened is refused with its reason and nothing changes.
  bool openFile(const QString& path) { return document_.openFile(path); }
  // Opens the plavet of a code, or of the first code in a text (a link, a
  // chat line), without a file; one that cannot be used is refused with its
  // reason and nothing changes.
  bool openCode(const QString& text) { return document_.openCode(text); }
  // Writes the plavet to `path`; a failed save says why and keeps the plavet
  // marked as changed.
  bool saveFile(const QString& path) { return document_.saveFile(path); }

  // Where the window asks the user, the document's own askings: tests answer
  // instead of a person.
  using Answer = PlavetDocument::Answer;
  std::function<Answer()>& askToSave = document_.askToSave;
  std::function<QString(bool forSaving)>& chooseFile = document_.chooseFile;
  std::function<void(const QString& text, const QString& title)>& tell = document_.tell;

  // The menus' commands.
  void newPlavet();
  void openPlavet() { document_.open(); }
  bool save() { return document_.save(); }
  bool saveAs() { return document_.saveAs(); }
  void quit();
  void undo();
  void redo();
  void copyAsText();
  void copyCode();
  void pasteCode();
  void about();
  void showSkillGoals();
  // The Skill Goals window, made on first use (opened or not).
  SkillGoals& goalsWindow();

  // Compare: the plavet beside a file, a code (or a link, a chat line holding
  // one), or its own file as last saved. One that cannot be read is refused
  // with its reason and nothing is compared. `add`: beside the plavets
  // compared already.
  void showCompareWith();
  bool compareWithFile(const QString& path, bool add = false);
  bool compareWithCode(const QString& text, bool add = false);
  bool compareWithSaved();
  CompareWindow* compareWindow() const { return compare_.get(); }
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
  QString askForFile(bool forSaving);
  void recordAction(const QString& name, int mergeKey, const sheet::State& before);
  // Shows `state` in the window, and tells Skill Goals that the plavet was
  // replaced rather than changed by a press.
  void putInPlace(const sheet::State& state);
  void showStatus();
  void compareWith(const QString& name, const sheet::State& state, const QString& path,
                   bool add = false);

  Plavet* plavet_;
  QAction* undoAction_ = nullptr;
  QAction* redoAction_ = nullptr;
  QAction* arrowKeysAction_ = nullptr;
  QMenu* recentMenu_ = nullptr;
  std::unique_ptr<SkillGoals> skillGoals_;    // made on first use
  std::unique_ptr<CompareWindow> compare_;    // likewise
  std::unique_ptr<FindClasses> findClasses_;  // likewise
  QAction* compareSavedAction_ = nullptr;
  bool quitting_ = false;
};
