// The Compare window: it follows the main window's plavet press by press,
// hides the rows alike, walks the differences, opens the compared plavet as
// one undo step, compares with the file as saved, and shows what
// `plavet compare` writes.
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLineEdit>
#include <QMenu>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <QtTest>
#include <sstream>

#include "app/comparewindow.h"
#include "app/plavet.h"
#include "app/plavetwindow.h"
#include "cli/compare.h"
#include "recorder.h"
#include "store/code.h"
#include "store/file.h"
#include "store/utf8.h"
#include "tests/core/events.h"

class CompareTest : public QObject {
  Q_OBJECT

 private:
  Recorder recorder_;
  std::unique_ptr<PlavetWindow> main_;
  QTemporaryDir dir_;
  QStringList told_;

  template <class W = QWidget>
  W* find(QWidget* in, const QString& name) {
    auto* w = in->findChild<W*>(name);
    if (!w) qFatal("no control %s", qPrintable(name));
    return w;
  }
  QAction* command(const QString& text) {
    for (QAction* a : main_->findChildren<QAction*>())
      if (!a->menu() && a->text().remove('&').startsWith(text)) return a;
    qFatal("no command %s", qPrintable(text));
  }
  void press(const QString& arrow, Qt::MouseButton button) {
    QTest::mousePress(find(main_.get(), arrow), button);
    QTest::mouseRelease(find(main_.get(), arrow), button);
  }
  void start() {
    for (auto [combo, text] :
         {std::pair{"cmbrace", "Human"}, {"cmbfc", "Druid"}, {"cmbsc", "Bard"}}) {
      auto* edit = find<QComboBox>(main_.get(), combo)->lineEdit();
      edit->setFocus();
      QTest::keyClicks(edit, text);
    }
    QTest::mouseClick(find(main_.get(), "cmdstrt"), Qt::LeftButton);
  }
  CompareWindow* window() { return main_->compareWindow(); }
  QTreeWidget* rows() { return find<QTreeWidget>(window(), "rows"); }
  QTreeWidgetItem* row(const QString& name) {
    const auto found = rows()->findItems(name, Qt::MatchExactly);
    if (found.size() != 1) qFatal("no row %s", qPrintable(name));
    return found.first();
  }
  int differences() { return window()->comparison().compared.at(0).differences; }
  QString write(const QString& name, const sheet::State& s) {
    QFile file(dir_.filePath(name));
    if (!file.open(QIODevice::WriteOnly)) qFatal("cannot write");
    file.write(QByteArray::fromStdString(store::writePlavetFile(s)));
    return file.fileName();
  }

 private slots:
  void init() {
    QStandardPaths::setTestModeEnabled(true);
    told_.clear();
    main_ = std::make_unique<PlavetWindow>(&recorder_);
    main_->tell = [this](const QString& text, const QString&) { told_ << text; };
    main_->show();
  }
  void cleanup() { main_.reset(); }

  void theBaseIsLiveAndOnlyDifferencesHidesTheRest() {
    start();
    QVERIFY(main_->compareWithCode(QString::fromStdString(
        "try this: " + store::encodeCode(main_->plavet()->planner().state()))));
    QVERIFY(window()->isVisible());
    QCOMPARE(differences(), 0);
    press("cmdmfu", Qt::RightButton);  // M Fire 5 to 15, from the Magic pool
    QCOMPARE(differences(), 3);        // M Fire, D Fire, Magic pool
    QTreeWidgetItem* fire = row("M Fire");
    QCOMPARE(fire->text(1), QString("15"));
    QCOMPARE(fire->text(2), QString("5"));
    QCOMPARE(fire->text(3), QString::fromUtf8("▼ −10"));
    QVERIFY(fire->font(0).bold() && !row("M Earth")->font(0).bold());
    QCOMPARE(fire->data(0, Qt::AccessibleTextRole).toString(),
             QString("M Fire: 15 here, 5 there, 10 more"));

    find<QCheckBox>(window(), "onlyDifferences")->click();
    int shown = 0;
    for (int i = 0; i < rows()->topLevelItemCount(); ++i)
      shown += !rows()->topLevelItem(i)->isHidden();
    QCOMPARE(shown, 3);
    QTest::keyClick(rows(), Qt::Key_Down, Qt::ControlModifier);
    QCOMPARE(rows()->currentItem(), fire);
    QTest::keyClick(rows(), Qt::Key_Down, Qt::ControlModifier);
    QCOMPARE(rows()->currentItem()->text(0), QString("D Fire"));
    QTest::keyClick(rows(), Qt::Key_Up, Qt::ControlModifier);
    QCOMPARE(rows()->currentItem(), fire);

    main_->undo();  // the base follows the undo, too
    QCOMPARE(differences(), 0);
    press("cmdpfu", Qt::LeftButton);
    const sheet::State compared = window()->compared().at(0).state;
    window()->openCompared();
    QCOMPARE(main_->plavet()->planner().state(), compared);
    QCOMPARE(differences(), 0);
    QCOMPARE(QString::fromStdString(std::string(main_->history().undoName())),
             QString("Open compared plavet"));
    main_->undo();
    QCOMPARE(differences(), 3);  // P Fire, D Fire, Physical pool

    window()->swap();  // the compared plavet is the base now, its signs turned
    QCOMPARE(window()->comparison().base, std::string("The code"));
    QCOMPARE(row("P Fire")->text(3), QString::fromUtf8("▲ +1"));
    QVERIFY(main_->compareWithCode(QString::fromStdString(store::encodeCode(compared)), true));
    QCOMPARE(window()->comparison().compared.size(), std::size_t(2));
    QCOMPARE(rows()->columnCount(), 6);
  }

  void comparesWithTheFileAsSavedAndReadsItAgain() {
    start();
    QVERIFY(main_->saveFile(dir_.filePath("mine.plavet")));
    QAction* withSaved = command("Compare With Saved");
    QVERIFY(!withSaved->isEnabled());
    press("cmdmfu", Qt::LeftButton);
    QVERIFY(withSaved->isEnabled());
    withSaved->trigger();
    QCOMPARE(window()->compared().at(0).name, QString("mine.plavet as saved"));
    QCOMPARE(differences(), 3);
    QVERIFY(main_->saveFile(dir_.filePath("mine.plavet")));
    QCOMPARE(differences(), 3);  // read again only when asked
    window()->reload();
    QCOMPARE(differences(), 0);
  }

  void aPlavetThatCannotBeReadIsRefused() {
    QVERIFY(!main_->compareWithCode("no code here"));
    QVERIFY(!main_->compareWithFile(dir_.filePath("none.plavet")));
    QCOMPARE(told_.size(), 2);
    QVERIFY(told_[0].startsWith("The plavet code cannot be compared: "));
    QVERIFY(!window());
  }

  // Over random pairs, the window's cells are the rows `plavet compare --json` writes.
  void agreesWithTheCommandLine() {
    for (int i = 0; i < 40; ++i) {
      sheet::State pair[2];
      for (sheet::State& s : pair) {
        events::RandomChoices choices(0x77696e + 2 * i + (&s - pair));
        Recorder log;
        sheet::Planner planner(log);
        planner.load();
        for (const events::Event& e : events::makeRun(choices)) events::apply(planner, e);
        s = planner.state();
        for (std::string& text : s.selections) text = store::wellFormed(text);
      }
      const QString base = write("base.plavet", pair[0]), other = write("other.plavet", pair[1]);
      main_->replacePlavet(*store::readPlavetFile(store::writePlavetFile(pair[0])).state, "x");
      QVERIFY(main_->compareWithFile(other));
      std::ostringstream out, err;
      QCOMPARE(cli::compare({base.toStdString(), other.toStdString(), "--json"}, out, err), 0);
      const QJsonObject json =
          QJsonDocument::fromJson(QByteArray::fromStdString(out.str())).object();
      QCOMPARE(json["differences"].toArray()[0].toInt(), differences());
      const QJsonArray jsonRows = json["rows"].toArray();
      QCOMPARE(jsonRows.size(), rows()->topLevelItemCount());
      auto shown = [](const QJsonValue& v) {
        return v.toString().isEmpty() ? QString("(none)") : v.toString();
      };
      for (int r = 0; r < jsonRows.size(); ++r) {
        const QJsonObject o = jsonRows[r].toObject();
        const QTreeWidgetItem* item = rows()->topLevelItem(r);
        QCOMPARE(item->text(0), o["name"].toString());
        QCOMPARE(item->text(1), shown(o["base"]));
        QCOMPARE(item->text(2), shown(o["compared"].toArray()[0]));
        QVERIFY(item->text(3).endsWith(o["differences"].toArray()[0].toString()));
      }
    }
  }
};

QTEST_MAIN(CompareTest)
#include "compare_test.moc"
