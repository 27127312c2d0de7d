#include "app/skillgoals.h"

#include <QBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QShortcut>
#include <QSpinBox>
#include <QTextBrowser>
#include <QTreeWidget>

#include "app/plavet.h"
#include "history/steps.h"
#include "skills/needs.h"

namespace {

constexpr int kCopyRole = Qt::UserRole;
constexpr int kRowRole = Qt::UserRole + 1;
enum Column { SkillColumn, NeedsColumn, GoalColumn };
enum RaceColumn { RaceName, RaceKept, RacePoints, RaceNote };

const QColor kMet(0, 110, 0);
const QColor kUnmet(170, 0, 0);

QString fromUtf8(std::string_view s) {
  return QString::fromUtf8(s.data(), qsizetype(s.size()));
}

goals::Goal goalOf(const QTreeWidgetItem* item, int column = SkillColumn) {
  return {skills::Copy(item->data(column, kCopyRole).toInt()),
          item->data(column, kRowRole).toInt()};
}

void setStruck(QTreeWidgetItem* item, int column, bool struck) {
  QFont font = item->font(column);
  if (font.strikeOut() == struck) return;
  font.setStrikeOut(struck);
  item->setFont(column, font);
}

QString copyName(skills::Copy copy) {
  return copy == skills::Copy::FirstClass ? SkillGoals::tr("first class")
                                          : SkillGoals::tr("second class");
}

}  // namespace

SkillGoals::SkillGoals(const Plavet& plavet, Put put)
    : QWidget(nullptr), plavet_(plavet), put_(std::move(put)) {
  build();
  // Every press and every edit of a selection, and a plavet put in place
  // (undo, a file, a code), shows here at once.
  auto followWhenShown = [this] {
    if (isVisible()) follow();
  };
  connect(&plavet_, &Plavet::rendered, this, followWhenShown);
  connect(&plavet_, &Plavet::acted, this, followWhenShown);
}

SkillGoals::~SkillGoals() = default;

void SkillGoals::build() {
  setObjectName("SkillGoals");
  setWindowTitle(tr("Skill Goals"));
  auto* layout = new QVBoxLayout(this);

  hint_ = new QLabel(this);
  hint_->setObjectName("hint");
  hint_->setWordWrap(true);
  layout->addWidget(hint_);

  // On a small screen the window stays on it and scrolls instead.
  auto* scroller = new QScrollArea(this);
  scroller->setFrameShape(QFrame::NoFrame);
  scroller->setFocusPolicy(Qt::NoFocus);  // its controls take the focus, not the frame
  scroller->setWidgetResizable(true);
  goalsArea_ = new QWidget(scroller);
  auto* area = new QVBoxLayout(goalsArea_);
  area->setContentsMargins(0, 0, 0, 0);
  area->addWidget(buildLists(), 3);
  auto* below = new QHBoxLayout;
  below->addWidget(buildOrder(), 3);
  below->addWidget(buildPlanArea(), 8);
  area->addLayout(below, 2);
  area->addLayout(buildButtons());
  scroller->setWidget(goalsArea_);
  layout->addWidget(scroller, 1);

  setTabOrder(firstList_, secondList_);
}

QWidget* SkillGoals::buildLists() {
  // One above the other, so that each row reads across the window.
  auto* box = new QWidget(goalsArea_);
  auto* lists = new QVBoxLayout(box);
  lists->setContentsMargins(0, 0, 0, 0);
  auto makeList = [&](const char* name, const QString& accessible, QLabel*& title) {
    auto* column = new QVBoxLayout;
    title = new QLabel(box);
    auto* list = new QTreeWidget(box);
    list->setObjectName(name);
    list->setAccessibleName(accessible);
    title->setBuddy(list);
    list->setColumnCount(3);
    list->setHeaderLabels({tr("Skill"), tr("Needs, against the plavet now"), tr("With the plan")});
    list->setRootIsDecorated(false);
    list->setUniformRowHeights(true);
    list->setAllColumnsShowFocus(true);
    list->header()->setStretchLastSection(true);
    list->setColumnWidth(SkillColumn, 290);
    list->setColumnWidth(NeedsColumn, 290);
    connect(list, &QTreeWidget::itemChanged, this, &SkillGoals::goalTicked);
    column->addWidget(title);
    column->addWidget(list);
    lists->addLayout(column, 1);
    return list;
  };
  firstList_ = makeList("firstClassGoals", tr("First-class skills"), firstTitle_);
  secondList_ = makeList("secondClassGoals", tr("Second-class skills"), secondTitle_);
  return box;
}

// The goals in the order they are kept or dropped, which the player may
// change; and the clan-town counts the plan starts from.
QWidget* SkillGoals::buildOrder() {
  auto* box = new QWidget(goalsArea_);
  auto* column = new QVBoxLayout(box);
  column->setContentsMargins(0, 0, 0, 0);

  // No label here wraps its words: the scroll area would then size the
  // window's contents by their preferred heights and scroll for nothing.
  auto* orderTitle = new QLabel(tr("Goals in &order:"), box);
  orderTitle->setToolTip(tr("Each goal is kept if it can be met with those before it"));
  order_ = new QListWidget(box);
  order_->setObjectName("goalOrder");
  order_->setAccessibleName(tr("Goals in order"));
  order_->setAccessibleDescription(orderTitle->toolTip());
  orderTitle->setBuddy(order_);
  column->addWidget(orderTitle);
  column->addWidget(order_, 1);

  auto* moves = new QHBoxLayout;
  moveUp_ = new QPushButton(tr("Move &Up"), box);
  moveUp_->setObjectName("moveGoalUp");
  moveUp_->setToolTip(tr("Takes the goal chosen before the one above it (Alt+Up)"));
  moveDown_ = new QPushButton(tr("Move Dow&n"), box);
  moveDown_->setObjectName("moveGoalDown");
  moveDown_->setToolTip(tr("Takes the goal chosen after the one below it (Alt+Down)"));
  connect(moveUp_, &QPushButton::clicked, this, [this] { moveGoal(-1); });
  connect(moveDown_, &QPushButton::clicked, this, [this] { moveGoal(+1); });
  order_->installEventFilter(this);  // Alt+Up and Alt+Down move the goal chosen
  connect(order_, &QListWidget::currentRowChanged, this, [this](int row) {
    moveUp_->setEnabled(row > 0);
    moveDown_->setEnabled(row >= 0 && row + 1 < order_->count());
  });
  moves->addWidget(moveUp_);
  moves->addWidget(moveDown_);
  column->addLayout(moves);

  auto* counts = new QHBoxLayout;
  counts->addWidget(new QLabel(tr("Clan-town boxes:"), box));
  auto makeCount = [&](const char* name, const QString& caption) {
    auto* label = new QLabel(caption, box);
    auto* count = new QSpinBox(box);
    count->setObjectName(name);
    count->setRange(0, 2);
    count->setAccessibleName(
        tr("Clan-town boxes for the plan, %1").arg(QString(caption).remove('&')));
    label->setBuddy(count);
    const bool magic = std::string_view(name) == "magicBonus";
    connect(count, &QSpinBox::valueChanged, this, [this, magic] { bonusesChanged(magic); });
    counts->addWidget(label);
    counts->addWidget(count);
    return count;
  };
  magicBonus_ = makeCount("magicBonus", tr("&Magic"));
  physicalBonus_ = makeCount("physicalBonus", tr("P&hysical"));
  counts->addStretch();
  column->addLayout(counts);
  return box;
}

// The plan in words beside the table of races.
QWidget* SkillGoals::buildPlanArea() {
  auto* box = new QWidget(goalsArea_);
  auto* row = new QHBoxLayout(box);
  row->setContentsMargins(0, 0, 0, 0);

  summary_ = new QTextBrowser(box);
  summary_->setObjectName("summary");
  summary_->setAccessibleName(tr("The plan"));
  row->addWidget(summary_, 1);

  auto* raceColumn = new QVBoxLayout;
  auto* raceTitle = new QLabel(tr("The goals with each &race:"), box);
  races_ = new QTreeWidget(box);
  races_->setObjectName("races");
  races_->setAccessibleName(tr("The goals with each race"));
  raceTitle->setBuddy(races_);
  races_->setColumnCount(4);
  races_->setHeaderLabels({tr("Plan as"), tr("Goals kept"), tr("Points left"), QString()});
  races_->setRootIsDecorated(false);
  races_->setUniformRowHeights(true);
  races_->setAllColumnsShowFocus(true);
  races_->setToolTip(
      tr("Choose a race to plan with it; Apply Plan then plays the plan with "
         "that race"));
  races_->header()->setStretchLastSection(true);
  races_->setColumnWidth(RaceName, 80);
  races_->setColumnWidth(RaceKept, 70);
  races_->setColumnWidth(RacePoints, 70);
  connect(races_, &QTreeWidget::currentItemChanged, this,
          [this](QTreeWidgetItem* item) { raceChosen(item); });
  raceColumn->addWidget(raceTitle);
  raceColumn->addWidget(races_);
  row->addLayout(raceColumn, 1);

  return box;
}

QLayout* SkillGoals::buildButtons() {
  auto* buttons = new QHBoxLayout;
  auto* clear = new QPushButton(tr("&Clear Goals"), goalsArea_);
  clear->setObjectName("clearGoals");
  connect(clear, &QPushButton::clicked, this, [this] {
    emit used();
    planning_.clear();
    keepGoals(fromUtf8(history::steps::kClearGoals));
    showRows();
    showPlan();
  });
  applyButton_ = new QPushButton(tr("&Apply Plan"), goalsArea_);
  applyButton_->setObjectName("applyPlan");
  applyButton_->setToolTip(
      tr("Plays the plan into the main window (Ctrl+Return); Undo takes it back"));
  connect(applyButton_, &QPushButton::clicked, this, &SkillGoals::applyPlan);
  auto* applyKey = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Return), this);
  connect(applyKey, &QShortcut::activated, this, &SkillGoals::applyPlan);
  buttons->addWidget(clear);
  buttons->addStretch();
  buttons->addWidget(applyButton_);
  return buttons;
}

bool SkillGoals::eventFilter(QObject* watched, QEvent* event) {
  if (watched == order_ && event->type() == QEvent::KeyPress) {
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->modifiers() == Qt::AltModifier &&
        (key->key() == Qt::Key_Up || key->key() == Qt::Key_Down)) {
      moveGoal(key->key() == Qt::Key_Up ? -1 : +1);
      return true;
    }
  }
  return QWidget::eventFilter(watched, event);
}

void SkillGoals::open() {
  follow(true);
  if (!isVisible()) {
    // As large as it likes to be, but never larger than the screen of the
    // main window, and on it, beside the main window where there is room.
    const QScreen* screen = plavet_.screen();
    const QRect room = screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
    // Its frame is not known before it shows: taken to be as the main window's.
    const QWidget* main = plavet_.window();
    const QRect mainFrame = main->frameGeometry(), inside = main->geometry();
    const QMargins margins(inside.left() - mainFrame.left(), inside.top() - mainFrame.top(),
                           mainFrame.right() - inside.right(),
                           mainFrame.bottom() - inside.bottom());
    const QRect frame =
        placeBeside(mainFrame, room, QSize(1100, 800).boundedTo(room.size() * 0.9), 640);
    resize(frame.marginsRemoved(margins).size());
    move(frame.topLeft());
  }
  show();
  raise();
  activateWindow();
}

QRect SkillGoals::placeBeside(const QRect& main, const QRect& room, QSize wanted, int least) {
  constexpr int kGap = 8;
  const QSize size = wanted.boundedTo(room.size());
  const int top = std::clamp(main.top(), room.top(), room.bottom() + 1 - size.height());
  const int right = room.right() - main.right() - kGap, left = main.left() - room.left() - kGap;
  auto at = [&](bool toRight, int width) {
    return QRect(toRight ? main.right() + 1 + kGap : main.left() - kGap - width, top, width,
                 size.height());
  };
  if (right >= size.width()) return at(true, size.width());
  if (left >= size.width()) return at(false, size.width());
  const bool toRight = right >= left;
  if (std::max(right, left) >= least) return at(toRight, std::max(right, left));
  return QRect(QPoint(toRight ? room.right() + 1 - size.width() : room.left(), top), size);
}

void SkillGoals::plavetReplaced() {
  if (isVisible()) follow(true);  // else when it opens
}

void SkillGoals::follow(bool replaced) {
  const sheet::State& plavet = plavet_.planner().state();
  if (planning_.followKept(plavet, replaced)) fillLists();
  hint_->setText(fromUtf8(planning_.hint("the main window")));
  goalsArea_->setVisible(planning_.chosen());
  if (planning_.chosen()) {
    const goals::Problem& p = planning_.problem();
    firstTitle_->setText(tr("&First class: %1").arg(fromUtf8(p.firstClass)));
    secondTitle_->setText(tr("&Second class: %1").arg(fromUtf8(p.secondClass)));
    showRows();
  }
  showPlan();
}

// Every row of both classes, none ticked: the goals of other classes are gone.
void SkillGoals::fillLists() {
  const goals::Problem& p = planning_.problem();
  for (auto [list, copy, className] :
       {std::tuple{firstList_, skills::Copy::FirstClass, &p.firstClass},
        std::tuple{secondList_, skills::Copy::SecondClass, &p.secondClass}}) {
    const QSignalBlocker quiet(list);
    list->clear();
    int index = 0;
    for (const skills::SkillRow& row : skills::rowsOf(*className, copy)) {
      auto* item = new QTreeWidgetItem(list);
      item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
      item->setCheckState(SkillColumn, Qt::Unchecked);
      item->setData(SkillColumn, kCopyRole, int(copy));
      item->setData(SkillColumn, kRowRole, index++);
      item->setText(SkillColumn, fromUtf8(row.text));
    }
  }
}

// Each row as the plan and the plavet see it: its tick, struck through with
// the reason when the plan drops it; each need met or how many points it
// lacks (or, learned at multi-classing, fixed); and for a row that is no
// goal, whether it would fit and at what cost.
void SkillGoals::showRows() {
  const sheet::State& plavet = plavet_.planner().state();
  for (auto [list, copy] : {std::pair{firstList_, skills::Copy::FirstClass},
                            std::pair{secondList_, skills::Copy::SecondClass}}) {
    const std::vector<goals::RowView> rows = planning_.rows(copy, plavet);
    const QSignalBlocker quiet(list);
    for (int i = 0; i < list->topLevelItemCount() && i < int(rows.size()); ++i) {
      const goals::RowView& row = rows[size_t(i)];
      QTreeWidgetItem* item = list->topLevelItem(i);
      item->setCheckState(SkillColumn, row.order ? Qt::Checked : Qt::Unchecked);
      setStruck(item, SkillColumn, row.dropped.has_value());
      QString needs =
          row.needs.empty() ? tr("Needs nothing") : tr("Needs %1").arg(fromUtf8(row.needs));
      if (!row.labelNote.empty()) needs += tr(" (%1)").arg(fromUtf8(row.labelNote));
      item->setToolTip(SkillColumn,
                       row.dropped ? tr("Dropped: %1").arg(fromUtf8(*row.dropped)) : needs);

      QString now = fromUtf8(row.now.words);
      if (!row.labelNote.empty()) now += QString::fromUtf8(" \u2014 ") + fromUtf8(row.labelNote);
      item->setText(NeedsColumn, now);
      item->setToolTip(NeedsColumn, now);
      item->setForeground(NeedsColumn, row.now.met ? kMet : kUnmet);

      QString asGoal;
      if (row.order)
        asGoal = row.dropped
                     ? tr("goal %1, dropped: %2").arg(*row.order + 1).arg(fromUtf8(*row.dropped))
                     : tr("goal %1, kept").arg(*row.order + 1);
      else
        asGoal = fromUtf8(row.fit);
      item->setText(GoalColumn, asGoal);
      item->setToolTip(GoalColumn, asGoal);
      const auto& exploration = planning_.exploration();
      const goals::Fit* fit = exploration ? exploration->fitOf(row.goal) : nullptr;
      const bool unmet = row.dropped || (fit && !fit->fits);
      item->setForeground(GoalColumn, unmet ? kUnmet : row.order ? kMet : QColor());
    }
  }
}

void SkillGoals::showOrder() {
  const goals::Problem& p = planning_.problem();
  const QSignalBlocker quiet(order_);
  // The goal chosen stays chosen wherever it now stands.
  std::optional<goals::Goal> chosen;
  if (const QListWidgetItem* item = order_->currentItem())
    chosen = goals::Goal{skills::Copy(item->data(kCopyRole).toInt()), item->data(kRowRole).toInt()};
  order_->clear();
  for (std::size_t i = 0; i < p.goals.size(); ++i) {
    const goals::Goal& goal = p.goals[i];
    const auto dropped = planning_.droppedWhy(goal);
    auto* item =
        new QListWidgetItem(tr("%1. %2, %3%4")
                                .arg(i + 1)
                                .arg(fromUtf8(goals::rowOf(p, goal).text), copyName(goal.copy),
                                     dropped ? tr(": dropped") : QString()),
                            order_);
    item->setData(kCopyRole, int(goal.copy));
    item->setData(kRowRole, goal.row);
    if (dropped) {
      QFont font = item->font();
      font.setStrikeOut(true);
      item->setFont(font);
      item->setToolTip(fromUtf8(*dropped));
      item->setForeground(kUnmet);
    }
  }
  const auto at = chosen ? planning_.orderOf(*chosen) : std::nullopt;
  order_->setCurrentRow(at ? *at : -1);
  moveUp_->setEnabled(order_->currentRow() > 0);
  moveDown_->setEnabled(order_->currentRow() >= 0 && order_->currentRow() + 1 < order_->count());
}

void SkillGoals::showCounts() {
  const QSignalBlocker quietMagic(magicBonus_), quietPhysical(physicalBonus_);
  magicBonus_->setValue(planning_.problem().magicBonus);
  physicalBonus_->setValue(planning_.problem().physicalBonus);
}

// Every race with the same goals: how many it keeps and the points it
// leaves; the best marked, the plavet's own marked, the one planned for
// chosen.
void SkillGoals::showRaces() {
  const QSignalBlocker quiet(races_);
  races_->clear();
  const auto& exploration = planning_.exploration();
  if (!exploration) return;
  for (std::size_t i = 0; i < exploration->races.size(); ++i) {
    const goals::RaceOutcome& race = exploration->races[i];
    QStringList notes;
    if (i == exploration->bestRace) notes << tr("best");
    if (race.race == planning_.plavetRace()) notes << tr("the plavet's");
    const QString kept =
        tr("%1 of %2").arg(race.kept).arg(qsizetype(planning_.problem().goals.size()));
    auto* item = new QTreeWidgetItem(
        races_, {fromUtf8(race.race), kept, QString::number(race.pointsLeft), notes.join(", ")});
    for (int column : {RaceKept, RacePoints}) item->setTextAlignment(column, Qt::AlignRight);
    if (i == exploration->bestRace)
      for (int column = 0; column < 4; ++column) {
        QFont font = item->font(column);
        font.setBold(true);
        item->setFont(column, font);
      }
    if (race.race == planning_.problem().race) races_->setCurrentItem(item);
  }
}

void SkillGoals::goalTicked(QTreeWidgetItem* item) {
  emit used();
  const bool ticked = item->checkState(SkillColumn) == Qt::Checked;
  const QString skill = item->text(SkillColumn);
  if (planning_.tick(goalOf(item), ticked))
    keepGoals(fromUtf8(history::steps::tickGoal(skill.toStdString(), ticked)));
  showRows();
  showPlan();
}

void SkillGoals::keepGoals(const QString& step) {
  put_(planning_.kept(plavet_.planner().state()), step);
}

void SkillGoals::moveGoal(int delta) {
  const QListWidgetItem* item = order_->currentItem();
  if (!item) return;
  emit used();
  const goals::Goal goal{skills::Copy(item->data(kCopyRole).toInt()), item->data(kRowRole).toInt()};
  if (!planning_.move(goal, delta)) return;
  keepGoals(fromUtf8(history::steps::moveGoal(delta)));
  showRows();
  showPlan();  // the moved goal stays chosen, so that it can be moved on
}

void SkillGoals::raceChosen(QTreeWidgetItem* item) {
  if (!item) return;
  emit used();
  planning_.chooseRace(item->text(RaceName).toStdString());
  follow();
}

void SkillGoals::bonusesChanged(bool magic) {
  emit used();
  if (planning_.setBonuses(magicBonus_->value(), physicalBonus_->value()))
    keepGoals(fromUtf8(history::steps::setBonusCount(magic)));
  showRows();
  showPlan();
}

void SkillGoals::showPlan() {
  if (planShown_ == planning_.plansMade()) return;
  planShown_ = planning_.plansMade();
  applyButton_->setEnabled(plan().has_value());
  summary_->setHtml(plan() ? summary() : QString());
  showOrder();
  showCounts();
  showRaces();
}

void SkillGoals::applyPlan() {
  emit used();
  if (const auto played = planning_.played(plavet_.planner().state()))
    put_(*played, fromUtf8(history::steps::kApplyPlan));
}

// The plan in words: the points it leaves, the values before multi-classing
// and at the end, the presses of each phase and the goals it had to drop.
QString SkillGoals::summary() const {
  const goals::Plan& p = *plan();
  const goals::Problem& problem = planning_.problem();
  QString html = tr("<p><b>Points left at the end: %1</b> (Magic %2, Physical %3, Either %4)</p>")
                     .arg(p.pointsLeft)
                     .arg(p.finalPools.magic)
                     .arg(p.finalPools.physical)
                     .arg(p.finalPools.either);

  html += "<table cellspacing=0 cellpadding=2><tr><th></th>";
  for (std::string_view element : skills::kElementNames)
    html += QString("<th align=right>&nbsp;%1</th>").arg(fromUtf8(element));
  html += "</tr>";
  auto row = [&](const QString& label, const skills::ElementValues& values, int first) {
    html += QString("<tr><td>%1</td>").arg(label);
    for (int e = 0; e < skills::kElementCount; ++e)
      html += QString("<td align=right>%1</td>").arg(values[size_t(first + e)]);
    html += "</tr>";
  };
  row(tr("M before multi-classing"), p.beforeMulti, 0);
  row(tr("P before multi-classing"), p.beforeMulti, skills::kElementCount);
  row(tr("M at the end"), p.final, 0);
  row(tr("P at the end"), p.final, skills::kElementCount);
  html += "</table>";

  html += tr("<p>Before multi-classing: %1.<br>After multi-classing: %2.</p>")
              .arg(fromUtf8(goals::pressesInWords(p.beforeMultiRaises)),
                   fromUtf8(goals::pressesInWords(p.afterMultiRaises)));

  if (problem.goals.empty())
    html += tr("<p>Tick the skills you want: the plan follows every tick.</p>");
  if (!p.dropped.empty()) {
    html += tr("<p><b>Dropped goals</b> (they can't be met with the goals before them):</p><ul>");
    for (const goals::Dropped& d : p.dropped)
      html += tr("<li>%1 (%2): %3</li>")
                  .arg(fromUtf8(goals::rowOf(problem, d.goal).text).toHtmlEscaped(),
                       copyName(d.goal.copy), fromUtf8(d.reason).toHtmlEscaped());
    html += "</ul>";
  }
  return html;
}
