#include "app/skillgoals.h"

#include <QBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QShortcut>
#include <QSpinBox>
#include <QTextBrowser>
#include <QTreeWidget>

#include "app/plavet.h"

namespace {

constexpr int kRowRole = Qt::UserRole;
enum Column { SkillColumn, NeedsColumn };

QString fromUtf8(std::string_view s) {
  return QString::fromUtf8(s.data(), qsizetype(s.size()));
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
    connect(count, &QSpinBox::valueChanged, this, &SkillGoals::bonusesChanged);
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
    planning_.clear();
    fillLists();
    showProgress();
    showPlan();
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
  planning_.takeBonuses(plavet_.planner().state());
  {
    const QSignalBlocker quietMagic(magicBonus_), quietPhysical(physicalBonus_);
    magicBonus_->setValue(planning_.problem().magicBonus);
    physicalBonus_->setValue(planning_.problem().physicalBonus);
  }
  follow();
  show();
  raise();
  activateWindow();
}

void SkillGoals::follow() {
  if (planning_.follow(plavet_.planner().state())) fillLists();
  hint_->setText(fromUtf8(planning_.hint("the main window")));
  goalsArea_->setVisible(planning_.chosen());
  if (planning_.chosen()) {
    const goals::Problem& p = planning_.problem();
    firstTitle_->setText(tr("&First class: %1").arg(fromUtf8(p.firstClass)));
    secondTitle_->setText(tr("&Second class: %1").arg(fromUtf8(p.secondClass)));
    showProgress();
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
      item->setData(SkillColumn, kRowRole, index++);
      item->setText(SkillColumn, fromUtf8(row.text));
    }
  }
}

// Each requirement against the plavet's values as they stand: met, or how
// many points it still lacks; in words and in colour.
void SkillGoals::showProgress() {
  skills::ElementValues values{};
  std::copy_n(plavet_.planner().state().boxes.begin(), skills::kValueCount, values.begin());
  const goals::Problem& p = planning_.problem();
  for (auto [list, copy, className] :
       {std::tuple{firstList_, skills::Copy::FirstClass, &p.firstClass},
        std::tuple{secondList_, skills::Copy::SecondClass, &p.secondClass}}) {
    const auto rows = skills::rowsOf(*className, copy);
    const QSignalBlocker quiet(list);
    for (int i = 0; i < list->topLevelItemCount() && i < int(rows.size()); ++i) {
      const goals::Progress now = goals::progress(rows[size_t(i)], values);
      QTreeWidgetItem* item = list->topLevelItem(i);
      item->setText(NeedsColumn, fromUtf8(now.words));
      item->setToolTip(NeedsColumn, item->text(NeedsColumn));
      item->setForeground(NeedsColumn, now.met ? QColor(0, 110, 0) : QColor(170, 0, 0));
    }
  }
}

void SkillGoals::goalTicked(QTreeWidgetItem* item) {
  planning_.tick(
      {item->treeWidget() == firstList_ ? skills::Copy::FirstClass : skills::Copy::SecondClass,
       item->data(SkillColumn, kRowRole).toInt()},
      item->checkState(SkillColumn) == Qt::Checked);
  showPlan();
}

void SkillGoals::bonusesChanged() {
  planning_.setBonuses(magicBonus_->value(), physicalBonus_->value());
  showPlan();
}

void SkillGoals::showPlan() {
  if (planShown_ == planning_.plansMade()) return;
  planShown_ = planning_.plansMade();
  applyButton_->setEnabled(plan().has_value());
  summary_->setHtml(plan() ? summary() : QString());
}

void SkillGoals::applyPlan() {
  if (const auto played = planning_.played(plavet_.planner().state())) apply_(*played);
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

  if (problem.goals.empty())
    html += tr("<p>Tick the skills you want: the plan follows every tick.</p>");
  if (!p.dropped.empty()) {
    html += tr("<p><b>Dropped goals</b> (they can't be met with the goals before them):</p><ul>");
    for (const goals::Dropped& d : p.dropped)
      html +=
          tr("<li>%1 (%2): %3</li>")
              .arg(fromUtf8(goals::rowOf(problem, d.goal).text).toHtmlEscaped(),
                   d.goal.copy == skills::Copy::FirstClass ? tr("first class") : tr("second class"),
                   fromUtf8(d.reason).toHtmlEscaped());
    html += "</ul>";
  }
  return html;
}
