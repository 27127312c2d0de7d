#include "app/skillgoals.h"

#include <QBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QShortcut>
#include <QSpinBox>
#include <QTextBrowser>
#include <QTreeWidget>
#include <algorithm>
#include <cmath>

#include "app/plavet.h"
#include "sheet/tables.h"
#include "skills/needs.h"

namespace {

constexpr int kRowRole = Qt::UserRole;
enum Column { SkillColumn, NeedsColumn };

QString fromUtf8(std::string_view s) {
  return QString::fromUtf8(s.data(), qsizetype(s.size()));
}

bool isRace(const std::string& text) {
  return sheet::findRace(text) != nullptr;
}
bool isClass(const std::string& text) {
  return std::find(skills::kClassNames.begin(), skills::kClassNames.end(), text) !=
         skills::kClassNames.end();
}

// "a, b and c"
QString wordList(const QStringList& words) {
  if (words.size() < 2) return words.join(QString());
  return words.mid(0, words.size() - 1).join(", ") + SkillGoals::tr(" and ") + words.last();
}

}  // namespace

SkillGoals::SkillGoals(const Plavet& plavet, std::function<void(const sheet::State&)> apply)
    : QWidget(nullptr), plavet_(plavet), apply_(std::move(apply)) {
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

  goalsArea_ = new QWidget(this);
  auto* area = new QVBoxLayout(goalsArea_);
  area->setContentsMargins(0, 0, 0, 0);
  auto* lists = new QHBoxLayout;
  auto makeList = [&](const char* name, const QString& accessible, QLabel*& title) {
    auto* column = new QVBoxLayout;
    title = new QLabel(goalsArea_);
    auto* list = new QTreeWidget(goalsArea_);
    list->setObjectName(name);
    list->setAccessibleName(accessible);
    title->setBuddy(list);
    list->setColumnCount(2);
    list->setHeaderLabels({tr("Skill"), tr("Needs, against the plavet now")});
    list->setRootIsDecorated(false);
    list->setUniformRowHeights(true);
    list->setAllColumnsShowFocus(true);
    list->header()->setStretchLastSection(true);
    list->setColumnWidth(SkillColumn, 250);
    connect(list, &QTreeWidget::itemChanged, this, &SkillGoals::goalTicked);
    column->addWidget(title);
    column->addWidget(list);
    lists->addLayout(column);
    return list;
  };
  firstList_ = makeList("firstClassGoals", tr("First-class skills"), firstTitle_);
  secondList_ = makeList("secondClassGoals", tr("Second-class skills"), secondTitle_);
  area->addLayout(lists, 3);

  auto* bonuses = new QHBoxLayout;
  bonuses->addWidget(new QLabel(tr("Clan-town bonus boxes for the plan:"), goalsArea_));
  auto makeCount = [&](const char* name, const QString& caption) {
    auto* label = new QLabel(caption, goalsArea_);
    auto* count = new QSpinBox(goalsArea_);
    count->setObjectName(name);
    count->setRange(0, 2);
    count->setAccessibleName(QString(caption).remove('&'));
    label->setBuddy(count);
    connect(count, &QSpinBox::valueChanged, this, &SkillGoals::replan);
    bonuses->addWidget(label);
    bonuses->addWidget(count);
    return count;
  };
  magicBonus_ = makeCount("magicBonus", tr("&Magic"));
  physicalBonus_ = makeCount("physicalBonus", tr("P&hysical"));
  bonuses->addStretch();
  area->addLayout(bonuses);

  summary_ = new QTextBrowser(goalsArea_);
  summary_->setObjectName("summary");
  summary_->setAccessibleName(tr("The plan"));
  area->addWidget(summary_, 2);

  auto* buttons = new QHBoxLayout;
  auto* clear = new QPushButton(tr("&Clear Goals"), goalsArea_);
  clear->setObjectName("clearGoals");
  connect(clear, &QPushButton::clicked, this, [this] {
    problem_.goals.clear();
    fillList(firstList_, skills::Copy::FirstClass, problem_.firstClass);
    fillList(secondList_, skills::Copy::SecondClass, problem_.secondClass);
    showProgress();
    replan();
  });
  applyButton_ = new QPushButton(tr("&Apply Plan"), goalsArea_);
  applyButton_->setObjectName("applyPlan");
  applyButton_->setToolTip(
      tr("Plays the plan into the main window (Ctrl+Return); Undo takes "
         "it back"));
  connect(applyButton_, &QPushButton::clicked, this, &SkillGoals::applyPlan);
  auto* applyKey = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Return), this);
  connect(applyKey, &QShortcut::activated, this, &SkillGoals::applyPlan);
  buttons->addWidget(clear);
  buttons->addStretch();
  buttons->addWidget(applyButton_);
  area->addLayout(buttons);
  layout->addWidget(goalsArea_, 1);

  setTabOrder(firstList_, secondList_);
  resize(1000, 720);
}

void SkillGoals::open() {
  const sheet::Planner& p = plavet_.planner();
  using sheet::Bonus;
  {
    const QSignalBlocker quietMagic(magicBonus_), quietPhysical(physicalBonus_);
    magicBonus_->setValue(p.isChecked(Bonus::MBonus1) + p.isChecked(Bonus::MBonus2));
    physicalBonus_->setValue(p.isChecked(Bonus::PBonus1) + p.isChecked(Bonus::PBonus2));
  }
  follow();
  replan();
  show();
  raise();
  activateWindow();
}

void SkillGoals::follow() {
  const sheet::Planner& p = plavet_.planner();
  const std::string& race = p.selectionText(sheet::Selection::Race);
  const std::string& first = p.selectionText(sheet::Selection::FirstClass);
  const std::string& second = p.selectionText(sheet::Selection::SecondClass);
  if (!isRace(race) || !isClass(first) || !isClass(second)) {
    QStringList wanted;
    auto want = [&](const std::string& text, bool fits, const QString& what) {
      if (fits) return;
      wanted << (text.empty()
                     ? what
                     : tr("%1 from its list (\"%2\" is not one)").arg(what, fromUtf8(text)));
    };
    want(race, isRace(race), tr("a race"));
    want(first, isClass(first), tr("a first class"));
    want(second, isClass(second), tr("a second class"));
    hint_->setText(tr("To plan skill goals, choose %1 in the main window.").arg(wordList(wanted)));
    goalsArea_->hide();
    classesChosen_ = false;
    plan_.reset();
    return;
  }
  // Goals stay while the classes stay; other classes are other skills.
  bool replanning = !classesChosen_ || race != problem_.race;
  if (first != problem_.firstClass || second != problem_.secondClass) {
    problem_.firstClass = first;
    problem_.secondClass = second;
    problem_.goals.clear();
    fillList(firstList_, skills::Copy::FirstClass, first);
    fillList(secondList_, skills::Copy::SecondClass, second);
    replanning = true;
  }
  problem_.race = race;
  classesChosen_ = true;
  hint_->setText(tr("A %1, first class %2, multi-classing into %3. Tick the skills you want; the "
                    "plan below is the best plavet for them.")
                     .arg(fromUtf8(race), fromUtf8(first), fromUtf8(second)));
  firstTitle_->setText(tr("&First class: %1").arg(fromUtf8(first)));
  secondTitle_->setText(tr("&Second class: %1").arg(fromUtf8(second)));
  goalsArea_->show();
  showProgress();
  if (replanning) replan();
}

void SkillGoals::fillList(QTreeWidget* list, skills::Copy copy, const std::string& className) {
  const QSignalBlocker quiet(list);
  list->clear();
  int index = 0;
  for (const skills::SkillRow& row : skills::rowsOf(className, copy)) {
    auto* item = new QTreeWidgetItem(list);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
    item->setCheckState(SkillColumn, Qt::Unchecked);
    item->setData(SkillColumn, kRowRole, index++);
    item->setText(SkillColumn, fromUtf8(row.text));
  }
}

// Each requirement against the plavet's values as they stand: met, or how
// many points it still lacks; in words and in colour.
void SkillGoals::showProgress() {
  const sheet::State& s = plavet_.planner().state();
  for (auto [list, copy, className] :
       {std::tuple{firstList_, skills::Copy::FirstClass, &problem_.firstClass},
        std::tuple{secondList_, skills::Copy::SecondClass, &problem_.secondClass}}) {
    const auto rows = skills::rowsOf(*className, copy);
    for (int i = 0; i < list->topLevelItemCount() && i < int(rows.size()); ++i) {
      const skills::SkillRow& row = rows[size_t(i)];
      QStringList parts;
      bool allMet = true;
      for (int n = 0; n < row.needCount; ++n) {
        const skills::Requirement& need = row.needs[size_t(n)];
        const double have = s.boxes[size_t(skills::index(need.value))];
        const QString what =
            QString("%1 %2").arg(fromUtf8(skills::valueWord(need.value))).arg(need.minimum);
        if (have >= need.minimum) {
          parts << tr("%1: met").arg(what);
        } else {
          allMet = false;
          parts << tr("%1: %2 more").arg(what).arg(std::ceil(need.minimum - have));
        }
      }
      // A row that qualifies says so first; one that doesn't says what it lacks.
      const QString needs = parts.isEmpty() ? tr("needs nothing") : parts.join(", ");
      QTreeWidgetItem* item = list->topLevelItem(i);
      const QSignalBlocker quiet(list);
      item->setText(NeedsColumn, allMet ? tr("qualifies (%1)").arg(needs) : needs);
      item->setToolTip(NeedsColumn, item->text(NeedsColumn));
      item->setForeground(NeedsColumn, allMet ? QColor(0, 110, 0) : QColor(170, 0, 0));
    }
  }
}

void SkillGoals::goalTicked(QTreeWidgetItem* item) {
  const goals::Goal goal{
      item->treeWidget() == firstList_ ? skills::Copy::FirstClass : skills::Copy::SecondClass,
      item->data(SkillColumn, kRowRole).toInt()};
  auto& g = problem_.goals;
  const auto at = std::find(g.begin(), g.end(), goal);
  const bool ticked = item->checkState(SkillColumn) == Qt::Checked;
  if (ticked && at == g.end()) g.push_back(goal);  // the order of ticking is the goals' order
  if (!ticked && at != g.end()) g.erase(at);
  replan();
}

void SkillGoals::replan() {
  problem_.magicBonus = magicBonus_->value();
  problem_.physicalBonus = physicalBonus_->value();
  plan_.reset();
  if (classesChosen_) {
    try {
      plan_ = goals::plan(problem_);
    } catch (const goals::BadProblem&) {
    }
  }
  applyButton_->setEnabled(plan_.has_value());
  summary_->setHtml(plan_ ? summary() : QString());
}

void SkillGoals::applyPlan() {
  if (!plan_) return;
  apply_(goals::played(problem_, *plan_, plavet_.planner().state().spells));
}

// The plan in words: the points it leaves, the values before multi-classing
// and at the end, the presses of each phase and the goals it had to drop.
QString SkillGoals::summary() const {
  const goals::Plan& p = *plan_;
  QString html = tr("<p><b>Points left at the end: %1</b> (Magic %2, Physical %3, Either %4)</p>")
                     .arg(p.pointsLeft)
                     .arg(p.finalPools.magic)
                     .arg(p.finalPools.physical)
                     .arg(p.finalPools.either);

  html += "<table cellspacing=0 cellpadding=2><tr><th></th>";
  for (const char* element : {"Fire", "Earth", "Water", "Air", "Spirit"})
    html += QString("<th align=right>&nbsp;%1</th>").arg(tr(element));
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

  if (problem_.goals.empty())
    html += tr("<p>Tick the skills you want: the plan follows every tick.</p>");
  if (!p.dropped.empty()) {
    html += tr("<p><b>Dropped goals</b> (they can't be met with the goals before them):</p><ul>");
    for (const goals::Dropped& d : p.dropped)
      html +=
          tr("<li>%1 (%2): %3</li>")
              .arg(fromUtf8(goals::rowOf(problem_, d.goal).text).toHtmlEscaped(),
                   d.goal.copy == skills::Copy::FirstClass ? tr("first class") : tr("second class"),
                   fromUtf8(d.reason).toHtmlEscaped());
    html += "</ul>";
  }
  return html;
}
