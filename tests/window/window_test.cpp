// The window over the planner: controls, keyboard order, mouse buttons and
// message boxes, driven as a user would drive them.
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QStyleOptionButton>
#include <QTimer>
#include <QtTest>
#include <random>

#include "app/arrowbutton.h"
#include "app/explosion.h"
#include "app/plavet.h"
#include "app/selectioncombo.h"
#include "recorder.h"

class WindowTest : public QObject {
  Q_OBJECT

 private:
  Recorder recorder_;
  std::unique_ptr<Plavet> window_;

  template <class W = QWidget>
  W* find(const QString& name) {
    auto* w = window_->findChild<W*>(name);
    if (!w) qFatal("no control %s", qPrintable(name));
    return w;
  }
  QString boxText(const QString& name) { return find<QLineEdit>(name)->text(); }
  void choose(const QString& race, const QString& first, const QString& second) {
    const std::array<std::pair<const char*, QString>, 3> picks = {
        {{"cmbrace", race}, {"cmbfc", first}, {"cmbsc", second}}};
    for (const auto& [name, text] : picks) {
      auto* combo = find<QComboBox>(name);
      combo->setFocus();
      combo->lineEdit()->selectAll();
      QTest::keyClick(combo->lineEdit(), Qt::Key_Delete);
      QTest::keyClicks(combo->lineEdit(), text);
    }
  }
  void click(const QString& name) { QTest::mouseClick(find(name), Qt::LeftButton); }
  void press(const QString& arrow, Qt::MouseButton button) {
    QTest::mousePress(find(arrow), button);
    QTest::mouseRelease(find(arrow), button);
  }

 private slots:
  void init() {
    recorder_.shown.clear();
    window_ = std::make_unique<Plavet>(&recorder_);
    window_->show();
    QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
  }
  void cleanup() { window_.reset(); }

  void windowIsFixedAndTitled() {
    QCOMPARE(window_->windowTitle(), QString("Plavet Program v1.33"));
    QCOMPARE(window_->size(), QSize(589, 581));
    QCOMPARE(window_->minimumSize(), window_->maximumSize());
    QVERIFY(!(window_->windowFlags() & Qt::WindowMaximizeButtonHint));
  }

  void controlsStandWhereTheLayoutSays_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("twips");
    QTest::addColumn<QString>("caption");
    auto row = [](const char* name, int l, int t, int w, int h, const char* caption = "") {
      QTest::newRow(name) << QString(name) << QRect(l, t, w, h) << QString(caption);
    };
    row("cmbrace", 240, 1080, 1455, 315);
    row("cmbfc", 1920, 1080, 1455, 315);
    row("cmbsc", 3600, 1080, 1455, 315);
    row("cmdstrt", 5520, 840, 2895, 495, "Start/Reset Plavet");
    row("txtmpr", 1080, 1560, 615, 285, "0");
    row("txtppr", 1080, 2040, 615, 285, "0");
    row("txtepr", 1080, 2520, 615, 285, "0");
    row("cmdmulti", 3840, 1560, 1215, 1215, "Multi-Class Now!");
    row("cmdshsk", 5520, 1560, 2895, 495, "Show Current Skills");
    row("cmdhelp", 5520, 2280, 2895, 495, "Help");
    row("txtmf", 840, 3120, 495, 285, "0");
    row("txtpe", 2640, 3720, 495, 285, "0");
    row("txtdw", 4560, 4320, 495, 285, "0");
    row("txtma", 6240, 3120, 495, 285, "0");
    row("txtds", 8040, 4320, 495, 285, "0");
    row("cmdmfu", 120, 3120, 255, 195);
    row("cmdmfd", 120, 3360, 255, 195);
    row("cmdpfu", 120, 3600, 255, 195);
    row("cmdpfd", 120, 3840, 255, 195);
    row("cmdmeu", 1680, 3120, 255, 195);
    row("cmdpwd", 3480, 3840, 255, 195);
    row("cmdpau", 5400, 3600, 255, 195);
    row("cmdmsd", 7080, 3360, 255, 195);
    row("lblfcabil", 240, 4800, 2775, 255, "First Class Abilities...");
    row("fclstskill", 240, 5160, 2895, 3375);
    row("lblscabil", 3360, 4800, 2775, 255, "Second Class Abilities...");
    row("sclstskill", 3360, 5160, 2895, 3375);
    row("lblBonus", 6840, 4800, 1575, 255, "Element Effects");
    row("lblSpells", 6840, 5160, 1575, 255, "Spell Effects");
    row("chkBless", 6720, 5520, 735, 255, "Bless");
    row("chkShield", 7800, 5520, 735, 255, "Shield");
    row("chkEndure", 7080, 5880, 1095, 255, "Endure");
    row("lblClantown", 6960, 6360, 1335, 255, "Clantown Effects");
    row("lblPhysicalClantown", 6960, 6840, 1335, 255, "PElement Building");
    row("chkPBonus1", 6600, 7320, 975, 255, "Bonus 1");
    row("chkPBonus2", 7680, 7320, 975, 255, "Bonus 2");
    row("lblMElementClantown", 6840, 7800, 1575, 255, "MElement Amount");
    row("chkMBonus1", 6600, 8280, 975, 255, "Bonus 1");
    row("chkMBonus2", 7680, 8280, 975, 255, "Bonus 2");
  }

  void controlsStandWhereTheLayoutSays() {
    QFETCH(QString, name);
    QFETCH(QRect, twips);
    QFETCH(QString, caption);
    QWidget* w = find(name);
    QCOMPARE(w->geometry(),
             QRect(twips.x() / 15, twips.y() / 15, twips.width() / 15, twips.height() / 15));
    QVERIFY(w->isVisible());
    QVERIFY(!w->accessibleName().isEmpty());
    if (caption.isEmpty()) return;
    QString shown;
    if (auto* b = qobject_cast<QAbstractButton*>(w)) shown = b->text();
    if (auto* l = qobject_cast<QLabel*>(w)) shown = l->text();
    if (auto* e = qobject_cast<QLineEdit*>(w)) shown = e->text();
    QCOMPARE(shown, caption);
  }

  void captionsFitTheirControls() {
    for (QLabel* label : window_->findChildren<QLabel*>()) {
      const QFontMetrics fm(label->font());
      QVERIFY2(fm.horizontalAdvance(label->text()) <= label->width(),
               qPrintable(label->objectName()));
    }
  }

  // The caption's room is what the box leaves beside its indicator.
  void checkboxCaptionsFit() {
    for (QCheckBox* box : window_->findChildren<QCheckBox*>()) {
      QStyleOptionButton option;
      option.initFrom(box);
      option.text = box->text();
      const QRect room = box->style()->subElementRect(QStyle::SE_CheckBoxContents, &option, box);
      QVERIFY2(box->fontMetrics().horizontalAdvance(box->text()) <= room.width(),
               qPrintable(box->objectName()));
      QVERIFY(room.right() < box->width());
    }
  }

  void numberBoxesAreReadOnlyAndRightAligned() {
    for (QLineEdit* box : window_->findChildren<QLineEdit*>()) {
      if (box->objectName().startsWith("txt")) {
        QVERIFY(box->isReadOnly());
        QVERIFY(box->alignment() & Qt::AlignRight);
      }
    }
    QCOMPARE(window_->findChildren<ArrowButton*>().size(), 20);
  }

  void combosListTheRacesAndClasses() {
    auto* race = find<QComboBox>("cmbrace");
    QCOMPARE(race->count(), 9);
    QCOMPARE(race->itemText(0), QString("Aracoix"));
    QCOMPARE(race->itemText(8), QString("Shade"));
    for (const char* name : {"cmbfc", "cmbsc"}) {
      auto* combo = find<QComboBox>(name);
      QCOMPARE(combo->count(), 16);
      QCOMPARE(combo->itemText(0), QString("Anti-Paladin"));
      QCOMPARE(combo->itemText(7), QString("Monk (Autumn)"));
      QCOMPARE(combo->itemText(15), QString("Warrior"));
      QCOMPARE(combo->currentText(), QString());
    }
  }

  void tabOrderAndInitialFocus() {
    QCOMPARE(QApplication::focusWidget(), find("txtmf"));
    const QStringList expected = {
        "txtmf",    "txtme",     "txtmw",      "txtma",      "txtms",      "txtpf",
        "txtpe",    "txtpw",     "txtpa",      "txtps",      "txtdf",      "txtde",
        "txtdw",    "txtda",     "txtds",      "cmbrace",    "cmbfc",      "txtmpr",
        "txtppr",   "txtepr",    "cmdmfu",     "cmdmfd",     "cmdpfu",     "cmdpfd",
        "cmdmeu",   "cmdmed",    "cmdpeu",     "cmdped",     "cmdmwu",     "cmdmwd",
        "cmdpwu",   "cmdpwd",    "cmdmau",     "cmdmad",     "cmdpau",     "cmdpad",
        "cmdmsu",   "cmdmsd",    "cmdpsu",     "cmdpsd",     "cmdstrt",    "cmbsc",
        "cmdmulti", "cmdhelp",   "cmdshsk",    "fclstskill", "sclstskill", "chkShield",
        "chkBless", "chkEndure", "chkPBonus1", "chkPBonus2", "chkMBonus1", "chkMBonus2",
        "txtmf"};
    for (int i = 1; i < expected.size(); ++i) {
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
      QWidget* focus = QApplication::focusWidget();
      // An editable combo hands its focus to its line edit.
      if (focus && qobject_cast<QComboBox*>(focus->parentWidget())) focus = focus->parentWidget();
      QVERIFY(focus);
      QCOMPARE(focus->objectName(), expected[i]);
    }
  }

  void startShowsTheRaceAndPools() {
    choose("Dwarf", "Druid", "Warrior");
    click("cmdstrt");
    QCOMPARE(recorder_.shown.size(), size_t(1));
    QCOMPARE(recorder_.shown[0].title, std::string("Ready!"));
    QCOMPARE(boxText("txtmf"), QString("15"));
    QCOMPARE(boxText("txtpe"), QString("15"));
    QCOMPARE(boxText("txtmpr"), QString("300"));
    QCOMPARE(boxText("txtdf"), QString("15"));
    auto* race = find<SelectionCombo>("cmbrace");
    QVERIFY(race->isLocked());
    QTest::keyClicks(race->lineEdit(), "x");
    QCOMPARE(race->currentText(), QString("Dwarf"));

    click("cmdstrt");  // reset
    QCOMPARE(recorder_.shown.back().title, std::string("YAY!"));
    QVERIFY(!race->isLocked());
    QCOMPARE(race->currentText(), QString());
    QCOMPARE(boxText("txtmpr"), QString("0"));
  }

  // Picking from the drop-down list works while unlocked, and not while locked.
  void dropDownListsPickUntilLocked() {
    auto* race = find<SelectionCombo>("cmbrace");
    race->showPopup();
    QVERIFY(race->view()->isVisible());
    race->view()->setCurrentIndex(race->model()->index(1, 0));
    QTest::keyClick(race->view(), Qt::Key_Return);
    QCOMPARE(race->currentText(), QString("AR"));
    choose("Dwarf", "Druid", "Warrior");
    click("cmdstrt");
    race->showPopup();
    QVERIFY(!race->view()->isVisible());
    QTest::keyClick(race, Qt::Key_Down);
    QCOMPARE(race->currentText(), QString("Dwarf"));
  }

  void typedTextIsKeptAsTyped() {
    choose("dwarf", "Druid", "Warrior");
    QCOMPARE(find<QComboBox>("cmbrace")->currentText(), QString("dwarf"));
    click("cmdstrt");
    QCOMPARE(boxText("txtmf"), QString("0"));  // no race matched
    QCOMPARE(boxText("txtmpr"), QString("300"));
  }

  // Typing offers the rest of a list name; only taking the offer writes it.
  // A text that names nothing of the list is marked, and applies no rule.
  void selectionsOfferNamesAndMarkOthers_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("key");  // 0: none, then the focus leaves
    QTest::addColumn<QString>("offer");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("mark");
    auto row = [](const char* name, const char* typed, int key, const char* offer, const char* text,
                  const char* mark) {
      QTest::newRow(name) << QString(typed) << key << QString::fromUtf8(offer)
                          << QString::fromUtf8(text) << QString::fromUtf8(mark);
    };
    // The mark suggests the name the box offered.
    const char* human =
        "\u201chu\u201d is not a race of the list, so no race rule applies. Did you mean "
        "\u201cHuman\u201d?";
    row("offer taken with Enter", "hu", Qt::Key_Return, "man", "Human", "");
    row("offer taken with Tab", "dw", Qt::Key_Tab, "arf", "Dwarf", "");
    row("offer taken with End", "Half", Qt::Key_End, "-Giant", "Half-Giant", "");
    row("offer left by leaving", "hu", 0, "man", "hu", human);
    row("offer put away with Escape", "hu", Qt::Key_Escape, "man", "hu", human);
    row("a whole name in another case", "human", Qt::Key_Return, "", "human",
        "\u201chuman\u201d is not a race of the list, so no race rule applies. Did you mean "
        "\u201cHuman\u201d?");
    row("a name of the list", "AR", Qt::Key_Return, "", "AR", "");
    row("a name in another case is offered nothing more", "ar", Qt::Key_Tab, "", "ar",
        "\u201car\u201d is not a race of the list, so no race rule applies. Did you mean "
        "\u201cAR\u201d?");
    row("no name begins so", "Gnome", 0, "", "Gnome",
        "\u201cGnome\u201d is not a race of the list, so no race rule applies.");
  }
  void selectionsOfferNamesAndMarkOthers() {
    QFETCH(QString, typed);
    QFETCH(int, key);
    QFETCH(QString, offer);
    QFETCH(QString, text);
    QFETCH(QString, mark);
    auto* race = find<SelectionCombo>("cmbrace");
    race->setFocus();  // keys go to the box, which hands them on to its line edit
    QTest::keyClicks(race, typed);
    QCOMPARE(race->offered(), offer);
    QCOMPARE(window_->planner().selectionText(sheet::Selection::Race), typed.toStdString());
    if (key != 0)
      QTest::keyClick(race, Qt::Key(key));
    else
      find("cmdstrt")->setFocus();
    QCOMPARE(race->offered(), QString());
    QCOMPARE(race->currentText(), text);
    QCOMPARE(window_->planner().selectionText(sheet::Selection::Race), text.toStdString());
    QCOMPARE(race->warning(), mark);
    QCOMPARE(race->toolTip(), mark);
  }

  // Space and Enter press a focused arrow only when the player asks for it,
  // and then exactly as the mouse does: over random runs, one window pressed
  // with the mouse and one with the keys end every event alike.
  void keysPressArrowsOnlyWhenAsked() {
    choose("Dwarf", "Druid", "Warrior");
    click("cmdstrt");
    for (int key : {Qt::Key_Space, Qt::Key_Return, Qt::Key_Enter}) {
      find("cmdmfu")->setFocus();
      QTest::keyClick(find("cmdmfu"), Qt::Key(key));
      QTest::keyClick(find("cmdmfu"), Qt::Key(key), Qt::ShiftModifier);
    }
    QCOMPARE(boxText("txtmf"), QString("15"));  // keys do nothing by default

    Recorder byKeys;
    Plavet keyed(&byKeys);
    keyed.setArrowKeys(true);
    keyed.show();
    for (Plavet* w : {window_.get(), &keyed}) {
      if (w->planner().started()) w->cmdstrt_Click();  // a reset
      for (const auto& [name, text] : std::array<std::pair<const char*, const char*>, 3>{
               {{"cmbrace", "Elf"}, {"cmbfc", "Bard"}, {"cmbsc", "Monk (Winter)"}}})
        w->findChild<QComboBox*>(name)->setEditText(text);
      w->cmdstrt_Click();
    }
    std::mt19937 random(15);
    const QList<ArrowButton*> arrows = window_->findChildren<ArrowButton*>();
    for (int event = 0; event < 600; ++event) {
      recorder_.shown.clear();
      byKeys.shown.clear();
      if (random() % 150 == 0) {
        window_->cmdmulti_Click();
        keyed.cmdmulti_Click();
      }
      ArrowButton* mouse = arrows[int(random() % arrows.size())];
      auto* keys = keyed.findChild<ArrowButton*>(mouse->objectName());
      const bool right = random() % 3 == 0;
      press(mouse->objectName(), right ? Qt::RightButton : Qt::LeftButton);
      keys->setFocus();
      const Qt::Key key = std::array{Qt::Key_Space, Qt::Key_Return, Qt::Key_Enter}[random() % 3];
      QTest::keyClick(keys, key, right ? Qt::ShiftModifier : Qt::NoModifier);
      QVERIFY2(keyed.planner().state() == window_->planner().state(),
               qPrintable(mouse->objectName()));
      QCOMPARE(byKeys.shown.size(), recorder_.shown.size());
      for (size_t i = 0; i < byKeys.shown.size(); ++i)
        QCOMPARE(byKeys.shown[i].text, recorder_.shown[i].text);
    }
  }

  // Every mouse button is told apart: left 1, right 10, middle nothing.
  void arrowsTellTheMouseButtonsApart() {
    choose("Dwarf", "Druid", "Warrior");
    click("cmdstrt");
    recorder_.shown.clear();
    press("cmdmfu", Qt::RightButton);
    QCOMPARE(boxText("txtmf"), QString("25"));
    QCOMPARE(boxText("txtmpr"), QString("290"));
    press("cmdmfu", Qt::LeftButton);
    QCOMPARE(boxText("txtmf"), QString("26"));
    press("cmdmfu", Qt::MiddleButton);
    QCOMPARE(boxText("txtmf"), QString("26"));
    press("cmdmfd", Qt::RightButton);
    QCOMPARE(boxText("txtmf"), QString("16"));
    QCOMPARE(boxText("txtmpr"), QString("299"));
    QCOMPARE(boxText("txtdf"), QString("15.3333333333333"));
    QVERIFY(recorder_.shown.empty());
  }

  void arrowsIgnoreTheKeyboard() {
    choose("Dwarf", "Druid", "Warrior");
    click("cmdstrt");
    auto* arrow = find("cmdmfu");
    arrow->setFocus();
    QTest::keyClick(arrow, Qt::Key_Space);
    QTest::keyClick(arrow, Qt::Key_Return);
    QCOMPARE(boxText("txtmf"), QString("15"));
  }

  void anArrowBeforeAStartRunsTheGuardOnly() {
    press("cmdpsd", Qt::LeftButton);
    QCOMPARE(recorder_.shown.size(), size_t(1));
    QCOMPARE(recorder_.shown[0].title, std::string("Rededovi Program v1.33"));
    QCOMPARE(boxText("txtps"), QString("0"));
  }

  void spellBoxesReachThePlanner() {
    auto* shield = find<QCheckBox>("chkShield");
    QTest::mouseClick(shield, Qt::LeftButton);
    QVERIFY(!shield->isChecked());  // nothing started yet
    choose("Dwarf", "Druid", "Warrior");
    click("cmdstrt");
    QTest::mouseClick(shield, Qt::LeftButton);
    QVERIFY(shield->isChecked());
    QCOMPARE(boxText("txtdf"), QString("25"));
    QCOMPARE(boxText("txtdw"), QString("10"));
  }

  QStringList listed(const char* name) {
    QStringList items;
    auto* list = find<QListWidget>(name);
    for (int i = 0; i < list->count(); ++i) items << list->item(i)->text();
    return items;
  }

  // The road of a typical use, through the real controls.
  void aDwarfDruidMultiClassesIntoWarrior() {
    choose("Dwarf", "Druid", "Warrior");
    click("cmdstrt");
    press("cmdmfu", Qt::RightButton);
    for (int i = 0; i < 3; ++i) press("cmdmwu", Qt::RightButton);
    click("cmdshsk");
    const QStringList druid = {"Create Water (25 MWater)", "Cure Light (0 MWater)",
                               "Detect Poison (25 MWater)", "Remove Poison (30 MWater)",
                               "Waterwalk (25 MWater)"};
    QCOMPARE(listed("fclstskill"), druid);
    QVERIFY(listed("sclstskill").isEmpty());

    click("cmdmulti");
    QCOMPARE(recorder_.shown.back().text, std::string("You have now multied! Woo!"));
    QCOMPARE(boxText("txtmf"), QString("20"));  // 15 + trunc(10 / 2)
    QCOMPARE(boxText("txtmw"), QString("15"));
    QCOMPARE(boxText("txtmpr"), QString("190"));  // 260 halved, plus the Warrior's 60
    QCOMPARE(listed("fclstskill"), druid);
    QCOMPARE(listed("sclstskill"), QStringList{"Focus"});

    for (int i = 0; i < 4; ++i) press("cmdpeu", Qt::RightButton);
    click("cmdshsk");
    QCOMPARE(listed("sclstskill"),
             (QStringList{"Ambidexterity (30 PEarth)", "Bash (35 PEarth)", "Block (35 PEarth)",
                          "Disarm (30 PEarth)", "Focus", "Guard (40 PEarth)"}));
    QCOMPARE(listed("fclstskill"), QStringList{"Cure Light (0 MWater)"});

    click("cmdstrt");  // reset empties both lists
    QVERIFY(listed("fclstskill").isEmpty());
    QVERIFY(listed("sclstskill").isEmpty());
  }

  void aBonusBoxPutBackStaysUsable() {
    choose("AR", "Bard", "Bard");
    click("cmdstrt");
    for (int i = 0; i < 19; ++i) press("cmdmfu", Qt::RightButton);
    QCOMPARE(boxText("txtmf"), QString("200"));
    recorder_.shown.clear();
    auto* bonus = find<QCheckBox>("chkMBonus1");
    QTest::mouseClick(bonus, Qt::LeftButton);
    QCOMPARE(recorder_.shown.size(), size_t(1));
    QCOMPARE(recorder_.shown[0].title, std::string());  // the program's own name is shown
    QVERIFY(!bonus->isChecked());
    QCOMPARE(boxText("txtmf"), QString("200"));
    press("cmdmfd", Qt::RightButton);
    QTest::mouseClick(bonus, Qt::LeftButton);
    QVERIFY(bonus->isChecked());
    QCOMPARE(boxText("txtmf"), QString("195"));
    QCOMPARE(boxText("txtme"), QString("15"));
    QCOMPARE(boxText("txtpe"), QString("10"));
    QTest::keyClick(bonus, Qt::Key_Space);  // the keyboard toggles it too
    QVERIFY(!bonus->isChecked());
    QCOMPARE(boxText("txtmf"), QString("190"));
  }

  void numbersUseADotInAnyLocale() {
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    choose("Dwarf", "Druid", "Warrior");
    click("cmdstrt");
    press("cmdpfu", Qt::LeftButton);
    QCOMPARE(boxText("txtdf"), QString("15.6666666666667"));
    QLocale::setDefault(QLocale::c());
  }
};

// Real message boxes: modal, OK only, no icon, titled; the window behind shows
// the state of that moment.
class MessageBoxTest : public QObject {
  Q_OBJECT

 private slots:
  void boxesAreModalPlainAndTitled() {
    Plavet window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    struct Seen {
      QString title, text;
      bool modal = false, okOnly = false, noIcon = false;
      QString mpr;
    };
    std::vector<Seen> seen;
    auto answer = [&] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      if (!box) return false;
      seen.push_back({box->windowTitle(), box->text(), box->isModal(),
                      box->standardButtons() == QMessageBox::Ok, box->icon() == QMessageBox::NoIcon,
                      window.findChild<QLineEdit*>("txtmpr")->text()});
      box->button(QMessageBox::Ok)->click();
      return true;
    };
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&] { answer(); });
    timer.start(10);

    for (const auto& [name, text] : std::array<std::pair<const char*, const char*>, 3>{
             {{"cmbrace", "Dwarf"}, {"cmbfc", "Druid"}, {"cmbsc", "Warrior"}}})
      window.findChild<QComboBox*>(name)->setEditText(text);
    QTest::mouseClick(window.findChild<QPushButton*>("cmdstrt"), Qt::LeftButton);
    QTest::mouseClick(window.findChild<QPushButton*>("cmdmulti"), Qt::LeftButton);
    QTest::mouseClick(window.findChild<QPushButton*>("cmdmulti"), Qt::LeftButton);
    timer.stop();

    QCOMPARE(seen.size(), size_t(3));
    QCOMPARE(seen[0].title, QString("Ready!"));
    QCOMPARE(seen[0].text, QString("The Element List is ready to be used."));
    QCOMPARE(seen[0].mpr, QString("0"));  // the sheet still shows zeros
    QCOMPARE(seen[1].title, QString("Raar!"));
    QCOMPARE(seen[2].title, QString("PlavetProgram"));  // no title of its own
    QCOMPARE(seen[2].text, QString("You already have multied!"));
    for (const Seen& s : seen) {
      QVERIFY(s.modal);
      QVERIFY(s.okOnly);
      QVERIFY(s.noIcon);
    }
  }
};

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(kApplicationName);
  int status = 0;
  {
    WindowTest t;
    status |= QTest::qExec(&t, argc, argv);
  }
  {
    MessageBoxTest t;
    status |= QTest::qExec(&t, argc, argv);
  }
  return status;
}

#include "window_test.moc"
