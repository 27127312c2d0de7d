// A long run of clicks, presses and typing through the real window, with the
// real message boxes, which a timer closes as a user would. Made from the same
// event language as the core's random runs; after every event the window must
// show what the planner holds and the planner's invariants must hold. Run
// under valgrind or LeakSanitizer it is the memory check of the whole program.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QTreeWidget>
#include <QtTest>
#include <cstdlib>

#include "app/arrowbutton.h"
#include "app/explosion.h"
#include "app/plavet.h"
#include "app/plavetwindow.h"
#include "app/skillgoals.h"
#include "tests/core/referee.h"

namespace {

constexpr std::uint64_t kStartValue = 0x77696e646f77;  // any fixed value will do
constexpr int kEvents = 1500;

int eventCount() {
  const char* text = std::getenv("PLAVET_LONG_RUN_EVENTS");
  return text && *text ? std::atoi(text) : kEvents;
}

QString boxName(int box) {
  return QString::fromStdString(events::boxName(box));
}

// The offscreen platform says, for every message box, what it cannot do;
// a long run would drown in it.
QtMessageHandler qtTestHandler = nullptr;
void dropPlatformChatter(QtMsgType type, const QMessageLogContext& context, const QString& text) {
  if (text.startsWith("This plugin does not support")) return;
  qtTestHandler(type, context, text);
}

const char* const kSelections[] = {"cmbrace", "cmbfc", "cmbsc"};
const char* const kSpells[] = {"chkBless", "chkShield", "chkEndure"};
const char* const kBonuses[] = {"chkPBonus1", "chkPBonus2", "chkMBonus1", "chkMBonus2"};

}  // namespace

class LongRunTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<PlavetWindow> window_;
  int boxesClosed_ = 0;

  template <class W = QWidget>
  W* find(const QString& name) {
    auto* w = window_->findChild<W*>(name);
    if (!w) qFatal("no control %s", qPrintable(name));
    return w;
  }

  // Closes whatever message box is open, as its OK button would.
  void closeMessageBox() {
    if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
      if (box->windowTitle().isEmpty()) qFatal("a message box without a title");
      box->accept();
      ++boxesClosed_;
    }
  }

  void type(const events::Type& e) {
    auto* edit = find<QComboBox>(kSelections[int(e.selection)])->lineEdit();
    edit->setFocus();
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    const QString text = QString::fromUtf8(e.text.data(), qsizetype(e.text.size()));
    // Short plain texts are typed key by key; others are pasted, as a keyboard
    // would not send them (and typing thousands of keys proves nothing more).
    const bool typable = text.size() <= 40 && std::all_of(text.begin(), text.end(), [](QChar c) {
                           return c.unicode() >= 0x20 && c.unicode() < 0x7f;
                         });
    if (typable)
      QTest::keyClicks(edit, text);
    else
      edit->insert(text);
  }

  void press(const events::Press& e) {
    const QString name = boxName(skills::index(e.value)).replace(0, 3, "cmd") +
                         (e.direction == sheet::Direction::Raise ? 'u' : 'd');
    const Qt::MouseButton button = e.button == sheet::kLeftButton    ? Qt::LeftButton
                                   : e.button == sheet::kRightButton ? Qt::RightButton
                                   : e.button == sheet::kMiddleButton
                                       ? Qt::MiddleButton
                                       : Qt::XButton1;  // not an arrow's button
    auto* arrow = find<ArrowButton>(name);
    QTest::mousePress(arrow, button);
    QTest::mouseRelease(arrow, button);
  }

  void play(const events::Event& event) {
    auto click = [&](const char* name) { QTest::mouseClick(find(name), Qt::LeftButton); };
    std::visit(events::Overload{
                   [&](const events::Type& e) { type(e); },
                   [&](const events::StartReset&) { click("cmdstrt"); },
                   [&](const events::MultiClass&) { click("cmdmulti"); },
                   [&](const events::ShowSkills&) { click("cmdshsk"); },
                   [&](const events::Press& e) { press(e); },
                   [&](const events::ClickSpell& e) { click(kSpells[int(e.spell)]); },
                   [&](const events::ClickBonus& e) { click(kBonuses[int(e.bonus)]); },
               },
               event);
  }

  const sheet::Planner& planner() const { return window_->plavet()->planner(); }

  // Opens the Skill Goals window, ticks one of its skills and closes it again.
  void tickAGoal(int n) {
    window_->showSkillGoals();
    SkillGoals* goals = window_->skillGoals();
    for (auto* list : goals->findChildren<QTreeWidget*>())
      if (list->isVisible() && list->topLevelItemCount() > 0)
        list->topLevelItem(n % list->topLevelItemCount())->setCheckState(0, Qt::Checked);
    goals->close();
  }

  // What the window shows must be what the planner holds.
  QString mismatch() {
    const sheet::Planner& planner = window_->plavet()->planner();
    for (int b = 0; b < sheet::kBoxCount; ++b) {
      const QString shown = find<QLineEdit>(boxName(b))->text();
      if (shown != QString::fromStdString(planner.text(sheet::Box(b))))
        return boxName(b) + " shows " + shown;
    }
    for (int s = 0; s < 3; ++s)
      if (find<QCheckBox>(kSpells[s])->isChecked() != planner.isChecked(sheet::Spell(s)))
        return QString(kSpells[s]) + " is not as the planner has it";
    for (int b = 0; b < 4; ++b)
      if (find<QCheckBox>(kBonuses[b])->isChecked() != planner.isChecked(sheet::Bonus(b)))
        return QString(kBonuses[b]) + " is not as the planner has it";
    return {};
  }

 private slots:
  void init() {
    window_ = std::make_unique<PlavetWindow>();  // real message boxes
    window_->askToSave = [] { return PlavetWindow::Answer::Discard; };
    window_->show();
    QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
  }
  void cleanup() { window_.reset(); }

  void initTestCase() { qtTestHandler = qInstallMessageHandler(dropPlatformChatter); }
  void cleanupTestCase() { qInstallMessageHandler(qtTestHandler); }

  void aLongRunKeepsTheWindowAndThePlannerRight() {
    QTimer closer;
    connect(&closer, &QTimer::timeout, this, &LongRunTest::closeMessageBox);
    closer.start(0);

    const qsizetype childrenAtStart = window_->findChildren<QObject*>().size();
    events::RandomChoices choices(kStartValue);
    events::EventMaker<events::RandomChoices> maker(choices);
    events::Referee referee;
    std::vector<events::Event> done;
    const int count = eventCount();
    for (int i = 0; i < count; ++i) {
      const events::Event event = i == 0 ? maker.first() : maker.next();
      done.push_back(event);
      const sheet::State before = planner().state();
      play(event);
      const std::string wrong = referee.watch(before, planner().state());
      const QString shown = mismatch();
      if (!wrong.empty() || !shown.isEmpty())
        QFAIL(qPrintable(
            QString::fromStdString("after event " + std::to_string(i + 1) + ":\n" + wrong) + shown +
            "\nevents:\n" + QString::fromStdString(events::describe(done))));
      if (i % 100 == 99) {  // now and then the help window, opened and closed again
        QTest::mouseClick(find("cmdhelp"), Qt::LeftButton);
        QVERIFY(window_->plavet()->helpWindow() && window_->plavet()->helpWindow()->isVisible());
        window_->plavet()->helpWindow()->close();
      }
      if (i % 250 == 249) tickAGoal(i);
    }
    // Every step of the run undone leads back as far as the history reaches,
    // and redone to where the run ended.
    const sheet::State last = planner().state();
    const size_t steps = window_->history().size();
    for (size_t s = 0; s < steps; ++s) window_->undo();
    QVERIFY(!window_->history().canUndo());
    QVERIFY(steps == history::History::kMaxSteps || planner().state() == sheet::State{});
    for (size_t s = 0; s < steps; ++s) window_->redo();
    QVERIFY(planner().state() == last);
    QCOMPARE(mismatch(), QString());
    QVERIFY2(boxesClosed_ > count / 10, "the run showed hardly any message boxes");
    // Nothing piles up: message boxes and list items come and go.
    QVERIFY2(window_->findChildren<QObject*>().size() <= childrenAtStart,
             "the window holds more objects than it started with");
  }
};

QTEST_MAIN(LongRunTest)
#include "long_run_test.moc"
