#include "app/plavet.h"

#include <QCheckBox>
#include <QHelpEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QToolTip>

#include "app/arrowbutton.h"
#include "app/checkboxstyle.h"
#include "app/explosion.h"
#include "app/fonts.h"
#include "app/layout.h"
#include "app/messagebox.h"
#include "app/selectioncombo.h"
#include "app/wrappingbutton.h"
#include "history/steps.h"
#include "sheet/names.h"
#include "skills/needs.h"

namespace {

QString boxName(int box) {
  static const char* const kNames[sheet::kBoxCount] = {
      "txtmf", "txtme", "txtmw", "txtma", "txtms", "txtpf", "txtpe",  "txtpw",  "txtpa",
      "txtps", "txtdf", "txtde", "txtdw", "txtda", "txtds", "txtmpr", "txtppr", "txtepr"};
  return kNames[box];
}

QString fromUtf8(std::string_view s) {
  return QString::fromUtf8(s.data(), qsizetype(s.size()));
}

void setChecked(QCheckBox* box, bool checked) {
  if (box->isChecked() == checked) return;
  const QSignalBlocker quiet(box);  // a program change is not the user's click
  box->setChecked(checked);
}

void showList(QListWidget* list, const skills::SkillList& skills) {
  const auto items = skills.items();
  bool same = list->count() == qsizetype(items.size());
  for (qsizetype i = 0; same && i < list->count(); ++i)
    same = list->item(int(i))->text() == fromUtf8(items[size_t(i)]);
  if (same) return;
  list->clear();
  for (std::string_view text : items) list->addItem(fromUtf8(text));
}

}  // namespace

// Shows the window as it stands before each message, so a box never opens
// over a stale sheet.
class Plavet::Messages final : public sheet::MessageSink {
 public:
  Messages(Plavet& window, sheet::MessageSink* recorder) : window_(window), recorder_(recorder) {}
  void show(std::string_view text, std::string_view title) override {
    window_.render();
    if (recorder_)
      recorder_->show(text, title);
    else
      showMessage(&window_, fromUtf8(text), fromUtf8(title));
  }

 private:
  Plavet& window_;
  sheet::MessageSink* recorder_;
};

// One user action from its start to its end: tells who listens what it was
// and what the plavet looked like before it.
class Plavet::Acting {
 public:
  Acting(Plavet& window, std::string_view name, int mergeKey = 0)
      : window_(window),
        name_(fromUtf8(name)),
        mergeKey_(mergeKey),
        before_(window.planner_.state()) {}
  ~Acting() { emit window_.acted(name_, mergeKey_, before_); }
  Acting(const Acting&) = delete;
  Acting& operator=(const Acting&) = delete;

 private:
  Plavet& window_;
  QString name_;
  int mergeKey_;
  sheet::State before_;
};

Plavet::Plavet(sheet::MessageSink* messages, QWidget* parent)
    : QWidget(parent),
      messages_(std::make_unique<Messages>(*this, messages)),
      planner_(*messages_) {
  setObjectName("Plavet");
  setWindowTitle(kWindowCaption);
  setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                 Qt::WindowCloseButtonHint);
  setFixedSize(layout::px(layout::kWidthTwips), layout::px(layout::kHeightTwips));
  setFont(windowFont());
  buildControls();
  wireControls();
  setTabOrder();
  Form_Load();
  boxes_[0]->setFocus();
}

Plavet::~Plavet() = default;

void Plavet::buildControls() {
  using layout::Kind;
  auto* checkBoxStyle = new CheckBoxStyle;
  checkBoxStyle->setParent(this);  // a widget does not own the style it is given
  for (const layout::Control& c : layout::controls()) {
    QWidget* w = nullptr;
    switch (c.kind) {
      case Kind::Label: {
        auto* label = new QLabel(layout::qt(c.caption), this);
        label->setAlignment((c.style & layout::Centred)        ? Qt::AlignHCenter | Qt::AlignTop
                            : (c.style & layout::RightAligned) ? Qt::AlignRight | Qt::AlignTop
                                                               : Qt::AlignLeft | Qt::AlignTop);
        w = label;
        break;
      }
      case Kind::NumberBox: {
        auto* box = new QLineEdit(layout::qt(c.caption), this);
        box->setReadOnly(true);  // only the planner writes the numbers
        box->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        box->setTextMargins(0, 0, 0, 0);
        w = box;
        break;
      }
      case Kind::Combo: {
        const auto selection = c.name == "cmbrace" ? sheet::Selection::Race
                               : c.name == "cmbfc" ? sheet::Selection::FirstClass
                                                   : sheet::Selection::SecondClass;
        w = new SelectionCombo(selection, layout::itemsOf(c), this);
        break;
      }
      case Kind::Button:
        if (c.style & layout::Wraps)
          w = new WrappingButton(layout::qt(c.caption), this);
        else
          w = new QPushButton(layout::qt(c.caption), this);
        break;
      case Kind::Arrow: {
        auto* arrow = new ArrowButton(
            c.caption == "5" ? ArrowButton::Pointing::Up : ArrowButton::Pointing::Down, this);
        arrow->setToolTip(
            tr("%1: a left press moves 1 point, a right press 10.").arg(layout::qt(c.accessible)));
        w = arrow;
        break;
      }
      case Kind::List:
        w = new QListWidget(this);
        break;
      case Kind::Check:
        w = new QCheckBox(layout::qt(c.caption), this);
        w->setStyle(checkBoxStyle);  // the captions fit their boxes
        break;
    }
    w->setObjectName(layout::qt(c.name));
    w->setGeometry(layout::geometry(c));
    if (c.style & (layout::Bold | layout::Large))
      w->setFont(
          windowFont(c.style & layout::Large ? 12 : kBaseFontPoints, c.style & layout::Bold));
    w->setAccessibleName(layout::qt(c.spoken()));
  }
  // A label names its box for screen readers; the boxes exist only now.
  for (const layout::Control& c : layout::controls())
    if (!c.buddy.empty())
      findChild<QLabel*>(layout::qt(c.name))->setBuddy(findChild<QWidget*>(layout::qt(c.buddy)));
}

void Plavet::wireControls() {
  for (int b = 0; b < sheet::kBoxCount; ++b) boxes_[b] = findChild<QLineEdit*>(boxName(b));

  const std::array<QString, 3> comboNames = {"cmbrace", "cmbfc", "cmbsc"};
  for (int s = 0; s < 3; ++s) {
    selections_[s] = findChild<SelectionCombo*>(comboNames[s]);
    connect(selections_[s], &QComboBox::editTextChanged, this,
            [this, s](const QString& text) { selectionEdited(sheet::Selection(s), text); });
  }

  auto button = [this](const char* name) { return findChild<QPushButton*>(name); };
  connect(button("cmdstrt"), &QPushButton::clicked, this, &Plavet::cmdstrt_Click);
  connect(button("cmdmulti"), &QPushButton::clicked, this, &Plavet::cmdmulti_Click);
  connect(button("cmdshsk"), &QPushButton::clicked, this, &Plavet::cmdshsk_Click);
  connect(button("cmdhelp"), &QPushButton::clicked, this, &Plavet::cmdhelp_Click);

  const std::array<QString, 3> spellNames = {"chkBless", "chkShield", "chkEndure"};
  for (int s = 0; s < 3; ++s) spells_[s] = findChild<QCheckBox*>(spellNames[s]);
  connect(spells_[0], &QCheckBox::clicked, this, &Plavet::chkBless_Click);
  connect(spells_[1], &QCheckBox::clicked, this, &Plavet::chkShield_Click);
  connect(spells_[2], &QCheckBox::clicked, this, &Plavet::chkEndure_Click);

  // `clicked` is the user's toggle only; the planner's own changes are shown
  // with signals blocked.
  const std::array<QString, 4> bonusNames = {"chkPBonus1", "chkPBonus2", "chkMBonus1",
                                             "chkMBonus2"};
  for (int b = 0; b < 4; ++b) {
    bonuses_[b] = findChild<QCheckBox*>(bonusNames[b]);
    connect(bonuses_[b], &QCheckBox::clicked, this, [this, b] { bonusClicked(sheet::Bonus(b)); });
  }

  for (int v = 0; v < skills::kValueCount; ++v) {
    const QString name = boxName(v).replace(0, 3, "cmd");  // "txtmf" -> "cmdmf"
    for (auto direction : {sheet::Direction::Raise, sheet::Direction::Lower}) {
      auto* arrow =
          findChild<ArrowButton*>(name + (direction == sheet::Direction::Raise ? 'u' : 'd'));
      connect(arrow, &ArrowButton::mouseDown, this, [this, v, direction](int code) {
        arrowMouseDown(skills::Value(v), direction, code);
      });
      arrow->keysPress = [this] { return arrowKeys(); };
    }
  }

  firstClassList_ = findChild<QListWidget*>("fclstskill");
  secondClassList_ = findChild<QListWidget*>("sclstskill");
  // A skill's requirements show when the pointer rests on it.
  for (QListWidget* list : {firstClassList_, secondClassList_}) {
    list->viewport()->installEventFilter(this);
    connect(list, &QListWidget::itemPressed, this, &Plavet::used);
  }
}

// What the skill needs, as the rule reads it: a label may say otherwise.
QString Plavet::skillTip(const QListWidget* list, const QString& skill) const {
  const bool first = list == firstClassList_;
  const skills::SkillRow* row = skills::findRow(
      planner_.selectionText(first ? sheet::Selection::FirstClass : sheet::Selection::SecondClass),
      first ? skills::Copy::FirstClass : skills::Copy::SecondClass, skill.toStdString());
  return row ? fromUtf8(skills::needsTip(*row)) : QString();
}

bool Plavet::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::ToolTip) return QWidget::eventFilter(watched, event);
  for (QListWidget* list : {firstClassList_, secondClassList_}) {
    if (watched != list->viewport()) continue;
    const auto* help = static_cast<QHelpEvent*>(event);
    const QListWidgetItem* item = list->itemAt(help->pos());
    const QString tip = item ? skillTip(list, item->text()) : QString();
    if (tip.isEmpty())
      QToolTip::hideText();
    else
      QToolTip::showText(help->globalPos(), tip, list->viewport(), list->visualItemRect(item));
    return true;
  }
  return QWidget::eventFilter(watched, event);
}

void Plavet::setTabOrder() {
  const auto& order = layout::tabOrder();
  for (size_t i = 0; i + 1 < order.size(); ++i)
    QWidget::setTabOrder(findChild<QWidget*>(layout::qt(order[i])),
                         findChild<QWidget*>(layout::qt(order[i + 1])));
}

void Plavet::render() {
  for (int b = 0; b < sheet::kBoxCount; ++b) {
    const QString text = QString::fromStdString(planner_.text(sheet::Box(b)));
    if (boxes_[b]->text() == text) continue;
    boxes_[b]->setText(text);
    // A value too long for its box shows its leading digits, and all of them
    // when the pointer rests on it; a D value always tells its whole self
    // there, since its box is too narrow for most of them.
    boxes_[b]->setCursorPosition(0);
    const bool dValue = b >= int(sheet::Box::df) && b <= int(sheet::Box::ds);
    const bool clipped =
        boxes_[b]->fontMetrics().horizontalAdvance(text) > boxes_[b]->contentsRect().width() - 4;
    boxes_[b]->setToolTip(dValue || clipped ? text : QString());
  }
  for (int s = 0; s < 3; ++s) {
    SelectionCombo* combo = selections_[s];
    const QString text = QString::fromStdString(planner_.selectionText(sheet::Selection(s)));
    if (combo->currentText() != text) {
      const QSignalBlocker quiet(combo);
      if (text.isEmpty()) combo->setCurrentIndex(-1);
      combo->setEditText(text);
    }
    combo->setLocked(planner_.selectionsLocked());
    markSelection(sheet::Selection(s));
  }
  for (int s = 0; s < 3; ++s) setChecked(spells_[s], planner_.isChecked(sheet::Spell(s)));
  for (int b = 0; b < 4; ++b) setChecked(bonuses_[b], planner_.isChecked(sheet::Bonus(b)));
  showList(firstClassList_, planner_.firstClassSkills());
  showList(secondClassList_, planner_.secondClassSkills());
  emit rendered();
}

void Plavet::restorePlavet(const sheet::State& state) {
  planner_.restore(state);
  render();
}

bool Plavet::arrowKeys() {
  if (!arrowKeys_) setArrowKeys(keysSetting && keysSetting());
  return *arrowKeys_;
}

void Plavet::setArrowKeys(bool on) {
  if (arrowKeys_ == on) return;
  arrowKeys_ = on;
  const QString how =
      on ? tr("Space or Enter is a left press (1 point), Shift+Space or Shift+Enter a right "
              "press (10 points).")
         : tr("Keys press it once Edit > Space and Enter Press Arrows is on.");
  for (ArrowButton* arrow : findChildren<ArrowButton*>()) arrow->setAccessibleDescription(how);
}

void Plavet::Form_Load() {
  planner_.load();
  render();
}

void Plavet::cmdstrt_Click() {
  const Acting acting(*this, history::steps::startReset(planner_.state()));
  planner_.startReset();
  render();
}

void Plavet::cmdmulti_Click() {
  const Acting acting(*this, history::steps::kMultiClass);
  planner_.multiClass();
  render();
}

void Plavet::cmdshsk_Click() {
  const Acting acting(*this, history::steps::kShowSkills);
  planner_.showSkills();
  render();
}

void Plavet::cmdhelp_Click() {
  emit used();
  if (!help_) help_ = std::make_unique<Explosion>();
  help_->show();
  help_->raise();
  help_->activateWindow();
}

void Plavet::chkBless_Click() {
  spellClicked(sheet::Spell::Bless);
}
void Plavet::chkShield_Click() {
  spellClicked(sheet::Spell::Shield);
}
void Plavet::chkEndure_Click() {
  spellClicked(sheet::Spell::Endure);
}

void Plavet::spellClicked(sheet::Spell spell) {
  QCheckBox* box = spells_[int(spell)];
  const Acting acting(*this, history::steps::spell(spell, box->isChecked()));
  planner_.toggleSpell(spell, box->isChecked());
  render();
}

void Plavet::bonusClicked(sheet::Bonus bonus) {
  QCheckBox* box = bonuses_[int(bonus)];
  const Acting acting(*this, history::steps::bonus(bonus, box->isChecked()));
  planner_.toggleBonus(bonus, box->isChecked());
  render();
}

void Plavet::arrowMouseDown(skills::Value value, sheet::Direction direction, int buttonCode) {
  const auto code = std::int16_t(buttonCode);
  const Acting acting(*this, history::steps::arrow(value, direction, code));
  planner_.pressArrow(value, direction, code);
  render();
}

void Plavet::selectionEdited(sheet::Selection selection, const QString& text) {
  const Acting acting(*this, history::steps::selection(selection),
                      history::steps::selectionKey(selection));
  planner_.setSelectionText(selection, text.toStdString());
  markSelection(selection);
}

// A text that names nothing of its list applies no rule: the box says so.
void Plavet::markSelection(sheet::Selection selection) {
  selections_[int(selection)]->setWarning(
      fromUtf8(sheet::selectionWarning(selection, planner_.selectionText(selection))));
}

void Plavet::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setPen(QPen(Qt::black, 1));
  for (const layout::Rule& r : layout::rules())
    painter.drawLine(layout::px(r.x1), layout::px(r.y1), layout::px(r.x2), layout::px(r.y2));
}
