// A race or class selection: pick an item or type any text. While a plavet is
// started the selection is locked: it shows its text but cannot change.
//
// Typing offers the rest of the first name of the list that the text begins
// (in any letter case) greyed after it; Enter, Tab, Right or End at the end
// takes it, and the box then holds the list's name. Anything else leaves the
// text exactly as typed: the planner sees what the player typed, never the
// offer. A text that is not a name of its list is shown in red with the
// reason as its tooltip.
#pragma once

#include <QComboBox>
#include <span>
#include <string_view>

#include "sheet/planner.h"

class SelectionCombo : public QComboBox {
  Q_OBJECT
 public:
  SelectionCombo(sheet::Selection selection, const QStringList& items, QWidget* parent);
  // The same over other names (`names` outlives the box): the skill names.
  SelectionCombo(std::span<const std::string_view> names, const QStringList& items,
                 QWidget* parent);
  void setLocked(bool locked);
  bool isLocked() const { return locked_; }
  void showPopup() override;

  // Marks the text as one that applies no rule, and why; an empty reason
  // takes the mark away.
  void setWarning(const QString& reason);
  const QString& warning() const { return warning_; }
  // The rest of the name offered after the typed text; empty when none.
  QString offered() const;

 protected:
  bool event(QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;

 private:
  class Edit;
  Edit* edit_;
  bool locked_ = false;
  QString warning_;
};
