// The Find Classes window: names typed as a player types them, the table
// following every change as the core answers it, and Plan This leaving a
// main window and a Skill Goals plan equal to the row.
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QTreeWidget>
#include <QtTest>

#include "app/findclasses.h"
#include "app/plavet.h"
#include "app/plavetwindow.h"
#include "app/selectioncombo.h"
#include "app/skillgoals.h"
#include "recorder.h"

class FindClassesTest : public QObject {
  Q_OBJECT

 private:
  Recorder recorder_;
  std::unique_ptr<PlavetWindow> main_;
  FindClasses* find_ = nullptr;

  template <class W = QWidget>
  W* inFind(const QString& name) {
    auto* w = find_->findChild<W*>(name);
    if (!w) qFatal("no control %s", qPrintable(name));
    return w;
  }
  void typeSkill(const QString& text, std::initializer_list<Qt::Key> keys) {
    auto* box = inFind<SelectionCombo>("skill");
    QTest::keyClicks(box, text);
    for (Qt::Key key : keys) QTest::keyClick(box, key);
  }
  // The table shown is the core's answer to the question as it stands.
  void expectTableIsTheAnswer() {
    QTRY_VERIFY_WITH_TIMEOUT(find_->upToDate(), 60000);
    const goals::Advice expected = goals::advise(find_->question(), 20);
    const auto* table = inFind<QTreeWidget>("table");
    QCOMPARE(table->topLevelItemCount(), int(expected.rows.size()));
    for (int i = 0; i < table->topLevelItemCount(); ++i) {
      const goals::Suggestion& row = expected.rows[std::size_t(i)];
      const QTreeWidgetItem* item = table->topLevelItem(i);
      QCOMPARE(item->data(0, Qt::AccessibleTextRole).toString().toStdString(),
               goals::rowWords(expected, row));
      QCOMPARE(item->toolTip(1).toStdString(), goals::givenWords(expected, row));
    }
  }
  const sheet::State& state() { return main_->plavet()->planner().state(); }

 private slots:
  void init() {
    main_ = std::make_unique<PlavetWindow>(&recorder_);
    main_->show();
    main_->showFindClasses();
    find_ = main_->findClasses();
  }
  void cleanup() { main_.reset(); }

  void typedNamesFillTheTableAndPlanThisPlansTheRow() {
    typeSkill("kick", {Qt::Key_Return});  // a name in another case
    typeSkill("sanct", {Qt::Key_Tab});    // the offer taken...
    QTest::keyClick(inFind<SelectionCombo>("skill")->lineEdit(), Qt::Key_Return);  // ...and added
    typeSkill("Fireball", {Qt::Key_Return});
    typeSkill("Firebal", {});  // no name yet: marked
    QVERIFY(!inFind<SelectionCombo>("skill")->warning().isEmpty());
    QCOMPARE(inFind<QListWidget>("skills")->count(), 3);
    QCOMPARE(find_->question().skills,
             (std::vector<std::string_view>{"Kick", "Sanctuary", "Fireball"}));
    expectTableIsTheAnswer();

    inFind<QSpinBox>("magicBonus")->setValue(2);
    find_->moveSkill(2, -2);  // Fireball first
    expectTableIsTheAnswer();
    inFind<QComboBox>("firstClass")->setCurrentText("Druid");
    expectTableIsTheAnswer();
    QCOMPARE(inFind<QTreeWidget>("table")->topLevelItem(0)->text(2), QString("Druid"));

    // Plan This on the second row, chosen by keys.
    auto* table = inFind<QTreeWidget>("table");
    table->setFocus();
    QTest::keyClick(table, Qt::Key_Down);
    const goals::Advice& advice = *find_->advice();
    const goals::Suggestion& row = advice.rows[1];
    QVERIFY(inFind<QPushButton>("planThis")->isEnabled());
    QTest::mouseClick(inFind<QPushButton>("planThis"), Qt::LeftButton);
    QCOMPARE(state().selections,
             (std::array<std::string, 3>{std::string(row.race), std::string(row.firstClass),
                                         std::string(row.secondClass)}));
    QVERIFY(!state().started);
    SkillGoals* skillGoals = main_->skillGoals();
    QVERIFY(skillGoals && skillGoals->isVisible());
    QVERIFY(skillGoals->plan());
    QCOMPARE(skillGoals->plan()->pointsLeft, row.pointsLeft);
    QCOMPARE(skillGoals->plan()->kept, advice.problem(row).goals);
    QCOMPARE(skillGoals->problem().magicBonus, 2);
    // One step, nothing asked: the plavet before is one Undo away.
    QCOMPARE(main_->history().undoName(), std::string("Plan This"));
    main_->undo();
    QCOMPARE(state().selections, (std::array<std::string, 3>{}));
  }

  void planThisAsksToSaveAChangedPlavetAsNewDoes() {
    typeSkill("Kick", {Qt::Key_Return});
    QTRY_VERIFY_WITH_TIMEOUT(find_->upToDate(), 60000);
    main_->plavet()->findChild<QComboBox*>("cmbrace")->setEditText("Elf");
    main_->plavet()->findChild<QComboBox*>("cmbfc")->setEditText("Druid");
    main_->plavet()->findChild<QComboBox*>("cmbsc")->setEditText("Warrior");
    QTest::mouseClick(main_->plavet()->findChild<QPushButton*>("cmdstrt"), Qt::LeftButton);
    QVERIFY(main_->needsSaving());
    const sheet::State before = state();
    int asked = 0;
    PlavetWindow::Answer answer = PlavetWindow::Answer::Cancel;
    main_->askToSave = [&] {
      ++asked;
      return answer;
    };
    find_->planThis();
    QCOMPARE(asked, 1);
    QVERIFY(state() == before);  // cancelled: nothing changes
    answer = PlavetWindow::Answer::Discard;
    find_->planThis();
    QCOMPARE(asked, 2);
    const goals::Suggestion& row = find_->advice()->rows[0];
    QCOMPARE(state().selections[0], std::string(row.race));
    QVERIFY(!state().started);
    QVERIFY(!main_->history().canUndo());  // a new plavet, as New leaves it
    QVERIFY(!main_->needsSaving());
    QCOMPARE(main_->skillGoals()->plan()->pointsLeft, row.pointsLeft);
  }
};

QTEST_MAIN(FindClassesTest)
#include "findclasses_test.moc"
