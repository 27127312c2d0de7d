// The Skill Goals window: it follows the main window, plans the goals ticked
// with the solver, plays the plan into the main window as one undo step.
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QHelpEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QTextBrowser>
#include <QToolTip>
#include <QTreeWidget>
#include <QtTest>
#include <functional>
#include <random>

#include "app/plavet.h"
#include "app/plavetwindow.h"
#include "app/skillgoals.h"
#include "recorder.h"
#include "sheet/names.h"
#include "sheet/plangoals.h"
#include "store/code.h"

class SkillGoalsTest : public QObject {
  Q_OBJECT

 private:
  Recorder recorder_;
  std::unique_ptr<PlavetWindow> main_;
  SkillGoals* goals_ = nullptr;

  template <class W = QWidget>
  W* inMain(const QString& name) {
    auto* w = main_->findChild<W*>(name);
    if (!w) qFatal("no control %s", qPrintable(name));
    return w;
  }
  template <class W = QWidget>
  W* inGoals(const QString& name) {
    auto* w = goals_->findChild<W*>(name);
    if (!w) qFatal("no control %s", qPrintable(name));
    return w;
  }
  void type(const QString& combo, const QString& text) {
    auto* edit = inMain<QComboBox>(combo)->lineEdit();
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    QTest::keyClicks(edit, text);
  }
  void choose(const QString& race, const QString& first, const QString& second) {
    type("cmbrace", race);
    type("cmbfc", first);
    type("cmbsc", second);
  }
  void click(const QString& name) { QTest::mouseClick(inMain(name), Qt::LeftButton); }
  QTreeWidgetItem* row(const QString& list, const QString& skill) {
    const auto found = inGoals<QTreeWidget>(list)->findItems(skill, Qt::MatchExactly);
    if (found.size() != 1) qFatal("no row %s", qPrintable(skill));
    return found.first();
  }
  void tick(const QString& list, const QString& skill) {
    row(list, skill)->setCheckState(0, Qt::Checked);
  }
  const sheet::State& state() { return main_->plavet()->planner().state(); }
  // Whether every row shows what the planning says of it now: the words of
  // its needs, and its place as a goal or what it would cost.
  QString rowsDisagree() {
    if (!goals_->planning().chosen()) return QString();  // no rows to show
    for (auto [name, copy] : {std::pair{"firstClassGoals", skills::Copy::FirstClass},
                              std::pair{"secondClassGoals", skills::Copy::SecondClass}}) {
      auto* list = inGoals<QTreeWidget>(name);
      const auto rows = goals_->planning().rows(copy, state());
      if (list->topLevelItemCount() != int(rows.size())) return "row count";
      for (int i = 0; i < list->topLevelItemCount(); ++i) {
        const goals::RowView& row = rows[size_t(i)];
        const QTreeWidgetItem* item = list->topLevelItem(i);
        if (!item->text(1).startsWith(fromUtf8(row.now.words))) return item->text(0);
        if (!row.order && item->text(2) != fromUtf8(row.fit)) return item->text(0);
        if (row.order && !item->text(2).startsWith(QString("goal %1").arg(*row.order + 1)))
          return item->text(0);
        if ((item->checkState(0) == Qt::Checked) != row.order.has_value()) return item->text(0);
      }
    }
    return QString();
  }
  static QString fromUtf8(std::string_view s) {
    return QString::fromUtf8(s.data(), qsizetype(s.size()));
  }
  // A plavet with two Magic boxes and one Physical box checked, for a code.
  const sheet::State boxed_ = [] {
    sheet::State s;
    s.selections = {"Elf", "Druid", "Warrior"};
    s.selectionsLocked = s.started = s.startResetToggle = true;
    s.bonuses = {false, true, true, true};  // by sheet::Bonus: P1, P2, M1, M2
    for (int v = 0; v < skills::kValueCount; ++v) s.boxes[size_t(v)] = 10;
    return s;
  }();
  QString box(const QString& name) { return inMain<QLineEdit>(name)->text(); }

 private slots:
  void init() {
    recorder_.shown.clear();
    main_ = std::make_unique<PlavetWindow>(&recorder_);
    main_->askToSave = [] { return PlavetWindow::Answer::Discard; };
    main_->show();
    QVERIFY(QTest::qWaitForWindowExposed(main_.get()));
    for (QAction* a : main_->findChildren<QAction*>())
      if (a->text().remove('&').startsWith("Skill Goals")) a->trigger();
    goals_ = main_->skillGoals();
    QVERIFY(goals_ && goals_->isVisible());
  }
  void cleanup() {
    goals_ = nullptr;
    main_.reset();
  }

  void itIsAWindowOfItsOwn() {
    QCOMPARE(goals_->objectName(), QString("SkillGoals"));
    QCOMPARE(goals_->windowTitle(), QString("Skill Goals"));
    QVERIFY(goals_->isWindow());
    QVERIFY(!goals_->parentWidget());
    main_->showSkillGoals();  // once more: the same window
    QCOMPARE(main_->skillGoals(), goals_);
    main_->close();  // a view of the main window's plavet: it closes with it
    QVERIFY(!goals_->isVisible());
    main_->show();
    main_->showSkillGoals();
    for (QWidget* w : goals_->findChildren<QWidget*>()) {
      if (w->focusPolicy() == Qt::NoFocus || !w->isVisibleTo(goals_)) continue;
      QVERIFY2(!w->accessibleName().isEmpty() || qobject_cast<QAbstractButton*>(w),
               qPrintable(w->objectName()));
    }
  }

  // Until the three selections name a race and two classes, the window says
  // what to choose; then it follows the main window without reopening.
  void itSaysWhatToChooseAndThenFollows() {
    QVERIFY(!inGoals("firstClassGoals")->isVisible());
    QVERIFY(inGoals<QLabel>("hint")->text().contains("a race, a first class and a second class"));
    choose("dwarf", "Artificer", "");
    QVERIFY(inGoals<QLabel>("hint")->text().contains("\"dwarf\" is not one"));
    choose("Dwarf", "Artificer", "Anti-Paladin");
    QVERIFY(inGoals("firstClassGoals")->isVisible());
    QCOMPARE(inGoals<QTreeWidget>("firstClassGoals")->topLevelItemCount(), 28);
    QCOMPARE(inGoals<QTreeWidget>("secondClassGoals")->topLevelItemCount(), 23);
    QCOMPARE(inGoals<QTreeWidget>("secondClassGoals")->topLevelItem(18)->text(0),
             QString("Charge (45 PAir/45 PSpirit)"));  // the second-class copy's order
  }

  // Each requirement reads as met or as the points it lacks, and follows
  // every press in the main window. A label is not the rule.
  void requirementsFollowTheValues() {
    choose("Dwarf", "Thief", "Warrior");
    click("cmdstrt");
    QCOMPARE(row("firstClassGoals", "Pick Lock (25 PFire)")->text(1), QString("PFire 25: 10 more"));
    QTest::mousePress(inMain("cmdpfu"), Qt::RightButton);
    QCOMPARE(row("firstClassGoals", "Pick Lock (25 PFire)")->text(1),
             QString("qualifies (PFire 25: met)"));
    QCOMPARE(row("firstClassGoals", "Dodge (40 PAir)")->text(1),
             QString::fromUtf8("PAir 45: 45 more \u2014 label says 40; the rule needs 45"));
    QCOMPARE(row("secondClassGoals", "Focus")->text(1), QString("qualifies (needs nothing)"));
    QVERIFY(row("secondClassGoals", "Weapon Mastery (55 PFire/55 PSpirit)")
                ->text(1)
                .startsWith("PFire 65: 40 more, PSpirit 55: 55 more"));
  }

  // A worked example, ticked in the window, applied, undone.
  void aPlanIsAppliedAsOneStepAndUndone() {
    choose("Dwarf", "Artificer", "Anti-Paladin");
    click("cmdstrt");
    QTest::mousePress(inMain("cmdmwu"), Qt::LeftButton);
    tick("firstClassGoals", "Vorpalize (55 MFire)");
    tick("secondClassGoals", "Charge (45 PAir/45 PSpirit)");
    const sheet::State before = state();  // the ticks are steps of their own
    QVERIFY(goals_->plan());
    const goals::Plan expected = goals::plan(goals_->problem());
    QCOMPARE(goals_->problem().goals.size(), size_t(2));
    QCOMPARE(goals_->plan()->pointsLeft, 490);
    QCOMPARE(goals_->plan()->pointsLeft, expected.pointsLeft);
    const QString summary = inGoals<QTextBrowser>("summary")->toPlainText();
    QVERIFY(summary.contains("Points left at the end: 490"));
    QVERIFY(summary.contains("Before multi-classing: M Fire +40 (Magic pool)."));
    QVERIFY(summary.contains("After multi-classing: P Air +45 (Physical pool), P Spirit +45"));

    recorder_.shown.clear();
    goals_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(goals_));
    QTest::keyClick(goals_, Qt::Key_Return, Qt::ControlModifier);
    QVERIFY(recorder_.shown.empty());  // no message on the way
    QCOMPARE(box("txtmf"), QString("35"));
    QCOMPARE(box("txtpa"), QString("45"));
    QCOMPARE(box("txtps"), QString("45"));
    QCOMPARE(box("txtmw"), QString("0"));  // a new plavet: the press before is gone
    QCOMPARE(QStringList({box("txtmpr"), box("txtppr"), box("txtepr")}),
             QStringList({"160", "180", "150"}));
    QVERIFY(state().multiClassed && state().selectionsLocked);
    // The first-class list as multi-classing built it, with the goal learned
    // then (M Fire is back at 35 now); the second-class list from the end.
    auto* first = inMain<QListWidget>("fclstskill");
    QCOMPARE(first->findItems("Vorpalize (55 MFire)", Qt::MatchExactly).size(), 1);
    QCOMPARE(inMain<QListWidget>("sclstskill")
                 ->findItems("Charge (45 PAir/45 PSpirit)", Qt::MatchExactly)
                 .size(),
             1);
    QCOMPARE(main_->history().undoName(), std::string_view("Apply Plan"));
    QCOMPARE(goals_->problem().goals.size(), size_t(2));  // the same classes: still ticked

    main_->undo();
    QVERIFY(state() == before);
    QCOMPARE(box("txtmw"), QString("1"));
  }

  // The plan's clan-town boxes come from the main window when the window
  // opens; other classes clear the goals; Space ticks.
  void boxesClassesAndKeys() {
    choose("Human", "Bard", "Druid");
    click("cmdstrt");
    click("chkMBonus1");
    click("chkPBonus2");
    main_->showSkillGoals();
    QCOMPARE(inGoals<QSpinBox>("magicBonus")->value(), 1);
    QCOMPARE(inGoals<QSpinBox>("physicalBonus")->value(), 1);
    auto* list = inGoals<QTreeWidget>("secondClassGoals");
    list->setFocus();
    list->setCurrentItem(list->topLevelItem(3));
    QTest::keyClick(list->viewport(), Qt::Key_Space);
    QCOMPARE(list->topLevelItem(3)->checkState(0), Qt::Checked);
    QCOMPARE(goals_->problem().goals.size(), size_t(1));
    QCOMPARE(goals_->problem().magicBonus, 1);

    click("cmdstrt");  // reset: the classes are gone, and the lists with them
    QVERIFY(!goals_->plan());
    choose("Human", "Bard", "Druid");
    QCOMPARE(goals_->problem().goals.size(), size_t(1));  // the same classes again
    choose("Human", "Bard", "Thief");
    QVERIFY(goals_->problem().goals.empty());
  }

  // Plans for random goal sets, each with a race chosen from the race table,
  // applied through the window: the plavet is of that race, every kept goal
  // is listed in the main window (first-class goals as multi-classing
  // listed them), the first-class rows are judged by the values at
  // multi-classing, and the plavet comes back through undo and redo.
  void everyKeptGoalIsListedAfterApply() {
    std::mt19937 random(33);
    const auto races = sheet::listNames(sheet::Selection::Race);
    const auto classes = sheet::listNames(sheet::Selection::FirstClass);
    for (int run = 0; run < 40; ++run) {
      const QString first = fromUtf8(classes[random() % classes.size()]);
      const QString second = fromUtf8(classes[random() % classes.size()]);
      choose(fromUtf8(races[random() % races.size()]), first, second);
      const auto lists = std::array{inGoals<QTreeWidget>("firstClassGoals"),
                                    inGoals<QTreeWidget>("secondClassGoals")};
      for (int goal = int(random() % 8); goal > 0; --goal) {
        QTreeWidget* list = lists[random() % 2];
        list->topLevelItem(int(random() % list->topLevelItemCount()))
            ->setCheckState(0, Qt::Checked);
      }
      auto* raceTable = inGoals<QTreeWidget>("races");
      raceTable->setCurrentItem(raceTable->topLevelItem(int(random() % races.size())));
      const QString race = raceTable->currentItem()->text(0);
      const goals::Plan plan = *goals_->plan();
      goals_->applyPlan();
      QCOMPARE(fromUtf8(state().selections[0]), race);
      QVERIFY(state().valuesAtMultiClass.has_value());
      for (const goals::Goal& g : plan.kept) {
        const QString skill = fromUtf8(goals::rowOf(goals_->problem(), g).text);
        const bool firstCopy = g.copy == skills::Copy::FirstClass;
        auto* shown = inMain<QListWidget>(firstCopy ? "fclstskill" : "sclstskill");
        QVERIFY2(shown->findItems(skill, Qt::MatchExactly).size() == 1, qPrintable(skill));
        if (firstCopy)
          QVERIFY(row("firstClassGoals", skill)->text(1).startsWith("learned at multi-classing"));
      }
      const sheet::State applied = state();
      main_->undo();
      main_->redo();
      QVERIFY(state() == applied);
      click("cmdstrt");  // a reset, for the next run's selections
    }
  }

  // The plan's clan-town counts are read again from the main window's boxes
  // whenever they change or a plavet is put in place; a count the player
  // sets is a step, and holds until the boxes change.
  void countsFollowThePlavet() {
    choose("Elf", "Druid", "Warrior");
    click("cmdstrt");
    auto counts = [&] {
      return std::pair{inGoals<QSpinBox>("magicBonus")->value(),
                       inGoals<QSpinBox>("physicalBonus")->value()};
    };
    using Counts = std::pair<int, int>;
    inGoals<QSpinBox>("physicalBonus")->setValue(2);  // the player's own
    QCOMPARE(counts(), Counts(0, 2));
    QTest::mousePress(inMain("cmdmfu"), Qt::LeftButton);  // no box changes: it holds
    QCOMPARE(counts(), Counts(0, 2));
    const std::vector<std::pair<std::function<void()>, Counts>> events = {
        {[&] { click("chkMBonus1"); }, {1, 0}},
        {[&] { click("chkPBonus2"); }, {1, 1}},
        {[&] { main_->undo(); }, {1, 1}},  // the count set is undone
        {[&] { main_->redo(); }, {2, 1}},
        {[&] { main_->newPlavet(); }, {0, 0}},
        {[&] { main_->openCode(QString::fromStdString(store::encodeCode(boxed_))); }, {2, 1}},
    };
    tick("firstClassGoals", "Call Lightning (40 MAir)");
    for (const auto& [event, expected] : events) {
      inGoals<QSpinBox>("magicBonus")->setValue(2);  // overruled by what follows
      QCOMPARE(rowsDisagree(), QString());
      event();
      QCOMPARE(rowsDisagree(), QString());
      QCOMPARE(counts(), expected);
      QCOMPARE(std::pair(goals_->problem().magicBonus, goals_->problem().physicalBonus), expected);
    }
  }

  // Goals move in their order; a goal the plan drops is struck through where
  // it is ticked, its reason as tooltip; rows that are no goal say whether
  // they would fit.
  void goalsMoveAndDroppedOnesAreMarked() {
    choose("Human", "Chaos Cleric", "Order Cleric");
    auto* first = inGoals<QTreeWidget>("firstClassGoals");
    auto* second = inGoals<QTreeWidget>("secondClassGoals");
    for (int i = first->topLevelItemCount() - 1; i >= 0; --i)
      first->topLevelItem(i)->setCheckState(0, Qt::Checked);  // more than one plavet can hold
    QVERIFY(second->topLevelItem(0)->text(2).startsWith("fits") ||
            second->topLevelItem(0)->text(2).startsWith("doesn't fit"));
    for (int i = 0; i < second->topLevelItemCount(); ++i)
      second->topLevelItem(i)->setCheckState(0, Qt::Checked);
    QVERIFY(!goals_->plan()->dropped.empty());
    for (QTreeWidget* list : {first, second}) {
      for (int i = 0; i < list->topLevelItemCount(); ++i) {
        const QTreeWidgetItem* item = list->topLevelItem(i);
        const bool dropped = item->text(2).contains("dropped");
        QCOMPARE(item->font(0).strikeOut(), dropped);
        QCOMPARE(item->toolTip(0).startsWith("Dropped: "), dropped);
      }
    }
    auto* order = inGoals<QListWidget>("goalOrder");
    QCOMPARE(order->count(), first->topLevelItemCount() + second->topLevelItemCount());
    const goals::Goal last = goals_->problem().goals.back();
    order->setCurrentRow(order->count() - 1);
    order->setFocus();
    QTest::keyClick(order, Qt::Key_Up, Qt::AltModifier);
    QCOMPARE(goals_->problem().goals[goals_->problem().goals.size() - 2], last);
    QCOMPARE(order->currentRow(), order->count() - 2);
    QCOMPARE(rowsDisagree(), QString());
    first->topLevelItem(0)->setCheckState(0, Qt::Unchecked);
    QCOMPARE(rowsDisagree(), QString());
    for (int i = 0; i < order->count(); ++i) inGoals<QPushButton>("moveGoalUp")->click();
    QCOMPARE(goals_->problem().goals.front(), last);
  }

  // Ticks, moves, counts and Clear Goals are steps named after what they
  // do; undo and redo put the goals back; a code and a file keep them, and
  // the window shows them when the plavet comes back.
  void goalsAreStepsAndTravelWithThePlavet() {
    choose("Dwarf", "Artificer", "Anti-Paladin");
    click("cmdstrt");
    const std::vector<std::pair<std::function<void()>, const char*>> steps = {
        {[&] { tick("firstClassGoals", "Vorpalize (55 MFire)"); }, "Tick Goal Vorpalize"},
        {[&] { tick("secondClassGoals", "Charge (45 PAir/45 PSpirit)"); }, "Tick Goal Charge"},
        {[&] { tick("firstClassGoals", "Identify (45 MEarth)"); }, "Tick Goal Identify"},
        {[&] { inGoals<QPushButton>("moveGoalUp")->click(); }, "Move Goal Up"},
        {[&] { inGoals<QPushButton>("moveGoalDown")->click(); }, "Move Goal Down"},
        {[&] { inGoals<QSpinBox>("magicBonus")->setValue(2); }, "Set Magic Bonus Count"},
        {[&] { inGoals<QSpinBox>("physicalBonus")->setValue(1); }, "Set Physical Bonus Count"},
        {[&] { row("firstClassGoals", "Identify (45 MEarth)")->setCheckState(0, Qt::Unchecked); },
         "Untick Goal Identify"},
    };
    std::vector<goals::Problem> problems = {goals_->problem()};
    for (const auto& [act, name] : steps) {
      inGoals<QListWidget>("goalOrder")->setCurrentRow(1);
      act();
      QCOMPARE(main_->history().undoName(), std::string_view(name));
      problems.push_back(goals_->problem());
      QCOMPARE(sheet::goalsHeld(state()), goals_->problem().goals);
    }
    const sheet::State planned = state();
    QCOMPARE(sheet::countsHeld(planned), (sheet::BonusCounts{2, 1}));
    for (std::size_t i = problems.size() - 1; i > 0; --i) {
      main_->undo();
      QCOMPARE(goals_->problem().goals, problems[i - 1].goals);
      QCOMPARE(goals_->problem().magicBonus, problems[i - 1].magicBonus);
      QCOMPARE(rowsDisagree(), QString());
    }
    while (main_->history().canRedo()) main_->redo();
    QVERIFY(state() == planned);
    sheet::State without = planned;
    without.goals = {};
    QVERIFY(main_->openCode(QString::fromStdString(store::encodeCode(without))));
    QVERIFY(goals_->problem().goals.empty());
    QVERIFY(main_->openCode(QString::fromStdString(store::encodeCode(planned))));
    QCOMPARE(goals_->problem().goals, problems.back().goals);
    QCOMPARE(goals_->problem().physicalBonus, 1);
    QCOMPARE(inGoals<QListWidget>("goalOrder")->count(), 2);
    QCOMPARE(row("firstClassGoals", "Vorpalize (55 MFire)")->checkState(0), Qt::Checked);
    inGoals<QPushButton>("clearGoals")->click();
    QCOMPARE(main_->history().undoName(), std::string_view("Clear Goals"));
    QVERIFY(sheet::goalsHeld(state()).empty());
  }

  // Beside the main window where the screen has room: right, else left,
  // else narrowed to the room there is, else at the side of the screen.
  void itOpensBesideTheMainWindow() {
    const QRect room(0, 0, 1920, 1080);
    const QSize wanted(1100, 800);
    const struct {
      QRect main, placed;
    } cases[] = {
        {{100, 50, 600, 640}, {708, 50, 1100, 800}},    // right
        {{1250, 50, 600, 640}, {142, 50, 1100, 800}},   // left
        {{500, 400, 600, 640}, {1108, 280, 812, 800}},  // right, narrowed; kept on the screen
        {{300, 50, 600, 640}, {908, 50, 1012, 800}},    // the larger side
        {{660, 0, 600, 640}, {1268, 0, 652, 800}},      // just room enough
        {{600, 0, 800, 640}, {0, 0, 1100, 800}},        // no room: the side with more
    };
    for (const auto& c : cases)
      QCOMPARE(SkillGoals::placeBeside(c.main, room, wanted, 640), c.placed);
    // The window opened: on the screen and, if it has room, clear of the main window.
    const QRect screen = main_->screen()->availableGeometry();
    QVERIFY(screen.contains(goals_->frameGeometry()));
    if (screen.width() - main_->frameGeometry().width() >= 640 + 16)
      QVERIFY(!goals_->frameGeometry().intersects(main_->frameGeometry()));
  }

  // The window opens on the main window's screen and fits on it.
  void itFitsTheScreen() {
    const QRect room = main_->screen()->availableGeometry();
    QVERIFY2(room.contains(goals_->geometry()), qPrintable(QString("%1x%2 in %3x%4")
                                                               .arg(goals_->width())
                                                               .arg(goals_->height())
                                                               .arg(room.width())
                                                               .arg(room.height())));
  }

  // In the main window, a skill's tooltip shows what the rule needs, also
  // where the label says otherwise.
  void skillTooltipsShowTheRule() {
    choose("Dwarf", "Warrior", "Thief");
    click("cmdstrt");
    click("cmdshsk");
    auto* list = inMain<QListWidget>("fclstskill");
    auto tipOf = [&](const QString& skill) {
      const auto items = list->findItems(skill, Qt::MatchExactly);
      if (items.size() != 1) return QString("no item");
      const QPoint at = list->visualItemRect(items.first()).center();
      QHelpEvent help(QEvent::ToolTip, at, list->viewport()->mapToGlobal(at));
      QApplication::sendEvent(list->viewport(), &help);
      return QToolTip::text();
    };
    QCOMPARE(tipOf("Focus"), QString("Needs nothing: always listed"));
    for (int i = 0; i < 7; ++i) QTest::mousePress(inMain("cmdpfu"), Qt::RightButton);
    for (int i = 0; i < 6; ++i) QTest::mousePress(inMain("cmdpsu"), Qt::RightButton);
    click("cmdshsk");
    QCOMPARE(tipOf("Weapon Mastery (55 PFire/PSpirit)"), QString("Needs PFire 65 and PSpirit 55"));
  }
};

QTEST_MAIN(SkillGoalsTest)
#include "skillgoals_test.moc"
