// The Compare window: the main window's plavet, live, beside one or more
// plavets from files or codes, row by row, with every difference marked by
// a sign and a symbol as well as in bold; their skill lists; and the presses
// that turn the plavet into the one compared. The compared plavets are only
// read: comparing never changes them.
#pragma once

#include <QWidget>
#include <functional>
#include <vector>

#include "compare/compare.h"

class Plavet;
class QCheckBox;
class QComboBox;
class QLabel;
class QTextBrowser;
class QTreeWidget;

class CompareWindow : public QWidget {
  Q_OBJECT
 public:
  // A plavet compared: what it is called, what it holds, and the file it
  // was read from (empty for a code), which Reload reads again.
  struct Compared {
    QString name;
    sheet::State state;
    QString path;
  };

  // Follows what `plavet` shows; `open` makes a compared plavet the main
  // window's (as one step of its undo history).
  CompareWindow(const Plavet& plavet, std::function<void(const sheet::State&)> open);
  ~CompareWindow() override;

  // Compares with these plavets from now on, and shows the window.
  void compareWith(std::vector<Compared> compared);
  void addCompared(Compared compared);
  const std::vector<Compared>& compared() const { return compared_; }

  // The comparison as the window shows it (after Swap, the first compared
  // plavet is the base).
  const compare::Comparison& comparison() const { return comparison_; }
  bool swapped() const { return swapped_; }

  // The window's commands.
  void setOnlyDifferences(bool only);
  void nextDifference();
  void previousDifference();
  void swap();
  void openCompared();
  // Reads every compared file again; one that can no longer be read keeps
  // its plavet, and why is told.
  void reload();

  std::function<void(const QString& text, const QString& title)> tell;

 signals:
  void used();

 private:
  void build();
  void refresh();
  void showRows();
  void showDetails();
  void moveToDifference(int direction);
  int chosen() const;  // the compared plavet the presses are for

  const Plavet& plavet_;
  std::function<void(const sheet::State&)> open_;
  std::vector<Compared> compared_;
  compare::Comparison comparison_;
  bool swapped_ = false;
  bool onlyDifferences_ = false;

  QLabel* summary_ = nullptr;
  QTreeWidget* rows_ = nullptr;
  QCheckBox* onlyDifferencesBox_ = nullptr;
  QComboBox* chosen_ = nullptr;
  QTextBrowser* details_ = nullptr;
};
