#include "app/selectioncombo.h"

#include <QCompleter>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QWheelEvent>

#include "sheet/names.h"

// The combo box's line edit, which draws the offered rest of a name after
// the text without making it part of the text.
class SelectionCombo::Edit final : public QLineEdit {
 public:
  Edit(std::span<const std::string_view> names, SelectionCombo* combo)
      : QLineEdit(combo), names_(names) {
    // Only the player's own typing brings an offer; a text set by the program
    // (a plavet shown, an item picked) takes it away.
    connect(this, &QLineEdit::textEdited, this, [this] { offer(); });
    connect(this, &QLineEdit::textChanged, this, [this](const QString& text) {
      if (text != offeredFor_) withdraw();
    });
  }

  const QString& offered() const { return rest_; }

  // Takes the offer when one is there; true if it did.
  bool accept() {
    if (rest_.isEmpty()) return false;
    const QString name = name_;
    withdraw();
    setText(name);  // the combo box hears this as an edit of the player's
    return true;
  }

  void withdraw() {
    if (rest_.isEmpty()) return;
    rest_.clear();
    name_.clear();
    offeredFor_.clear();
    update();
  }

  bool atEnd() const { return cursorPosition() == text().size() && !hasSelectedText(); }

 protected:
  void focusOutEvent(QFocusEvent* e) override {
    withdraw();  // leaving the box leaves the text as typed
    QLineEdit::focusOutEvent(e);
  }

  void paintEvent(QPaintEvent* e) override {
    QLineEdit::paintEvent(e);
    if (rest_.isEmpty()) return;
    QPainter painter(this);
    QStyleOptionFrame option;
    initStyleOption(&option);
    const QRect contents = style()->subElementRect(QStyle::SE_LineEditContents, &option, this);
    const QRect cursor = cursorRect();
    QRect room(cursor.center().x() + 1, contents.top(), contents.right() - cursor.center().x(),
               contents.height());
    painter.setClipRect(contents);
    painter.setPen(palette().color(QPalette::Disabled, QPalette::Text));
    painter.drawText(room, Qt::AlignLeft | Qt::AlignVCenter, rest_);
  }

 private:
  void offer() {
    rest_.clear();
    name_.clear();
    offeredFor_ = text();
    if (!isReadOnly() && cursorPosition() == text().size()) {
      const std::string typed = text().toStdString();
      if (const auto name = sheet::completion(names_, typed)) {
        name_ = QString::fromUtf8(name->data(), qsizetype(name->size()));
        rest_ = name_.mid(text().size());
      }
    }
    update();
  }

  std::span<const std::string_view> names_;
  QString name_;        // the list's name offered
  QString rest_;        // what is drawn after the text
  QString offeredFor_;  // the text the offer was made for
};

SelectionCombo::SelectionCombo(sheet::Selection selection, const QStringList& items,
                               QWidget* parent)
    : SelectionCombo(sheet::listNames(selection), items, parent) {}

SelectionCombo::SelectionCombo(std::span<const std::string_view> names, const QStringList& items,
                               QWidget* parent)
    : QComboBox(parent), edit_(new Edit(names, this)) {
  // No completer of Qt's: it would put its proposal into the text itself. A
  // combo box makes one over its items for a line edit that has none, so the
  // line edit holds an empty one while it is given, and then none at all.
  {
    QCompleter none;
    edit_->setCompleter(&none);
    setLineEdit(edit_);  // editable, without building the drop-down list yet
    setCompleter(nullptr);
  }
  setInsertPolicy(QComboBox::NoInsert);  // typed text never becomes an item
  setMaxVisibleItems(16);
  addItems(items);
  setCurrentIndex(-1);
  setEditText(QString());
}

void SelectionCombo::setLocked(bool locked) {
  locked_ = locked;
  edit_->setReadOnly(locked);
  if (locked) edit_->withdraw();
}

void SelectionCombo::showPopup() {
  if (!locked_) QComboBox::showPopup();
}

QString SelectionCombo::offered() const {
  return edit_->offered();
}

void SelectionCombo::setWarning(const QString& reason) {
  if (reason == warning_) return;
  warning_ = reason;
  setToolTip(reason);
  QPalette colours = edit_->palette();
  colours.setColor(QPalette::Text,
                   reason.isEmpty() ? palette().color(QPalette::Text) : QColor(190, 0, 0));
  edit_->setPalette(colours);
  setAccessibleDescription(reason);
}

// The combo box has the focus and hands keys on to its line edit; Tab never
// reaches the line edit, so the offer is taken here.
bool SelectionCombo::event(QEvent* event) {
  if (event->type() == QEvent::KeyPress && !edit_->offered().isEmpty()) {
    auto* key = static_cast<QKeyEvent*>(event);
    const bool plain = (key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
    switch (key->key()) {
      case Qt::Key_Tab:
        if (plain) edit_->accept();
        break;  // and on to the next control
      case Qt::Key_Return:
      case Qt::Key_Enter:
      case Qt::Key_End:
      case Qt::Key_Right:
        if (plain && edit_->atEnd() && edit_->accept()) return true;
        break;
      case Qt::Key_Escape:
        edit_->withdraw();
        return true;
      default:
        break;
    }
  }
  return QComboBox::event(event);
}

void SelectionCombo::keyPressEvent(QKeyEvent* event) {
  if (locked_) {
    switch (event->key()) {
      case Qt::Key_Up:
      case Qt::Key_Down:
      case Qt::Key_PageUp:
      case Qt::Key_PageDown:
      case Qt::Key_F4:
        event->accept();
        return;
      default:
        break;
    }
  }
  QComboBox::keyPressEvent(event);
}

void SelectionCombo::wheelEvent(QWheelEvent* event) {
  if (locked_)
    event->accept();
  else
    QComboBox::wheelEvent(event);
}
