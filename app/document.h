// The plavet as a document: its file, whether it has changes the file does
// not hold, its undo history, and the commands that open, save and set it
// aside, asking the user first where work would be lost. The window shows
// what the document tells it; the document never reaches into the window.
#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <functional>

#include "history/history.h"
#include "store/loaded.h"

class PlavetDocument : public QObject {
  Q_OBJECT
 public:
  // `current`: the plavet as the window shows it, which a save writes.
  explicit PlavetDocument(std::function<const sheet::State&()> current);

  // The file the plavet is saved in; empty for a plavet without one (a new
  // plavet, one from a code or from a note holding a code).
  const QString& path() const { return path_; }
  // Whether the plavet stands elsewhere than where it was opened or saved.
  bool isModified() const { return !history_.isClean(); }
  // Whether the plavet has changes that setting it aside would lose. A plavet
  // never saved counts as changed once started; one never started has
  // nothing to lose.
  bool needsSaving() const;
  // The window's caption: the program's own without a file; with one, the
  // file's name and the modified marker "[*]" before it.
  QString caption() const;
  // The plavet as its file holds it now, or why it cannot be read (also when
  // the plavet has no file: then the reason is empty).
  store::Loaded savedState() const;

  history::History& history() { return history_; }
  const history::History& history() const { return history_; }

  // Where the document asks the user; tests answer instead of a person.
  enum class Answer { Save, Discard, Cancel };
  std::function<Answer()> askToSave;
  std::function<QString(bool forSaving)> chooseFile;  // empty: the user cancelled
  std::function<void(const QString& text, const QString& title)> tell;

  // Asks to save when setting the plavet aside would lose changes, and saves
  // if so answered; false: the user cancelled, or the save failed.
  bool maySetAside();
  // Puts `state` in place as a plavet without a file and with a fresh
  // history, after asking to save a changed one; false: cancelled.
  bool startNew(const sheet::State& state);
  // Asks to set the plavet aside, then for a file to open, and opens it.
  void open();
  // Opens `path` from the recent files, after asking to set the plavet aside.
  void openRecent(const QString& path);
  bool save();
  bool saveAs();

  // Opens a plavet file (or a text file holding a plavet code); a file that
  // cannot be opened is refused with its reason and nothing changes.
  bool openFile(const QString& path);
  // Opens the plavet of the first code in `text`, without a file.
  bool openCode(const QString& text);
  // Writes the plavet to `path`; a failed save says why and keeps the plavet
  // marked as changed.
  bool saveFile(const QString& path);

  // The files opened or saved last, newest first; files that are gone are
  // dropped from the list for good.
  QStringList recentFiles() const;

 signals:
  // A plavet from a file, a code or a new one is to be shown in place of the
  // one before, with a fresh history.
  void replaced(const sheet::State& state);
  // The file, the modified state or the history changed: the caption and the
  // commands follow.
  void changed();

 private:
  void startOver(const sheet::State& state, const QString& path);
  void rememberRecent(const QString& path) const;

  std::function<const sheet::State&()> current_;
  history::History history_;
  QString path_;
};
