// The main window around the planner: its menu bar, files, plavet codes and
// the undo history, driven through the menus' commands as a user would.
#include <QAction>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QTemporaryDir>
#include <QtTest>

#include "app/arrowbutton.h"
#include "app/explosion.h"
#include "app/layout.h"
#include "app/plavet.h"
#include "app/plavetwindow.h"
#include "recorder.h"

class MainWindowTest : public QObject {
  Q_OBJECT

 private:
  Recorder recorder_;
  std::unique_ptr<PlavetWindow> window_;
  QTemporaryDir dir_;
  QStringList told_;               // what the window told the user
  QString nextFile_;               // what the user picks in a file dialog
  PlavetWindow::Answer answer_{};  // what the user answers to "save?"
  int asked_ = 0;

  template <class W = QWidget>
  W* find(const QString& name) {
    auto* w = window_->findChild<W*>(name);
    if (!w) qFatal("no control %s", qPrintable(name));
    return w;
  }
  QAction* command(const QString& text) {
    for (QAction* a : window_->findChildren<QAction*>())
      if (!a->menu() && a->text().remove('&').startsWith(text)) return a;
    qFatal("no command %s", qPrintable(text));
  }
  void trigger(const QString& text) { command(text)->trigger(); }
  const sheet::State& state() const { return window_->plavet()->planner().state(); }
  void type(const QString& combo, const QString& text) {
    auto* edit = find<QComboBox>(combo)->lineEdit();
    edit->setFocus();
    QTest::keyClicks(edit, text);
  }
  void press(const QString& arrow, Qt::MouseButton button) {
    QTest::mousePress(find(arrow), button);
    QTest::mouseRelease(find(arrow), button);
  }
  void startDwarf() {
    type("cmbrace", "Dwarf");
    type("cmbfc", "Artificer");
    type("cmbsc", "Anti-Paladin");
    QTest::mouseClick(find("cmdstrt"), Qt::LeftButton);
  }
  QString path(const QString& name) const { return dir_.filePath(name); }

 private slots:
  void init() {
    QStandardPaths::setTestModeEnabled(true);
    recorder_.shown.clear();
    told_.clear();
    asked_ = 0;
    window_ = std::make_unique<PlavetWindow>(&recorder_);
    window_->askToSave = [this] {
      ++asked_;
      return answer_;
    };
    window_->chooseFile = [this](bool) { return nextFile_; };
    window_->tell = [this](const QString& text, const QString&) { told_ << text; };
    window_->show();
    QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
  }
  void cleanup() { window_.reset(); }

  // The menu bar sits above the planner's window, which keeps its size, its
  // name and its controls where they were.
  void theMenuBarStandsOutsideTheClientArea() {
    Plavet* client = window_->plavet();
    QCOMPARE(client->objectName(), QString("Plavet"));
    QCOMPARE(client->size(), QSize(589, 581));
    QCOMPARE(client->pos(), QPoint(0, window_->menuBar()->height()));
    QCOMPARE(window_->size(), QSize(589, 581 + window_->menuBar()->height()));
    QCOMPARE(window_->minimumSize(), window_->maximumSize());
    QCOMPARE(find("cmdmfu")->geometry(), QRect(8, 208, 17, 13));
    QCOMPARE(window_->windowTitle(), QString("Plavet Program v1.33"));
    QCOMPARE(QApplication::focusWidget(), find("txtmf"));
    QStringList menus;
    for (QAction* a : window_->menuBar()->actions()) menus << a->text().remove('&');
    QCOMPARE(menus, QStringList({"File", "Edit", "Plan", "Help"}));
  }

  // Every command has a key of its own, and none takes a key that the
  // controls' texts use.
  void everyCommandHasAKeyOfItsOwn() {
    QSet<QKeySequence> seen;
    for (const char* text :
         {"New", "Open...", "Save", "Save As...", "Quit", "Undo", "Redo", "Copy Plavet as Text",
          "Copy Plavet Code", "Paste Plavet Code", "Skill Goals...", "Help"}) {
      QAction* found = nullptr;
      for (QAction* a : window_->findChildren<QAction*>())
        if (!a->menu() && a->text().remove('&') == text) found = a;
      QVERIFY2(found && !found->shortcuts().isEmpty(), text);
      for (const QKeySequence& key : found->shortcuts()) {
        QVERIFY2(!seen.contains(key), qPrintable(key.toString()));
        seen.insert(key);
      }
    }
    for (auto used :
         {QKeySequence::Copy, QKeySequence::Paste, QKeySequence::Cut, QKeySequence::SelectAll})
      for (const QKeySequence& key : QKeySequence::keyBindings(used))
        QVERIFY2(!seen.contains(key), qPrintable(key.toString()));
  }

  // The planner's keyboard order is the same inside the main window.
  void theTabOrderIsThePlannersOwn() {
    const std::vector<std::string>& order = layout::tabOrder();
    for (size_t i = 1; i <= order.size(); ++i) {
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
      QWidget* focus = QApplication::focusWidget();
      if (focus && qobject_cast<QComboBox*>(focus->parentWidget())) focus = focus->parentWidget();
      QVERIFY(focus);
      QCOMPARE(focus->objectName(), layout::qt(order[i % order.size()]));
    }
  }

  // Every action is one step, typing in one box is one step, and undo and
  // redo walk the plavet back and forth without a message.
  void undoAndRedoWalkThroughTheSteps() {
    std::vector<sheet::State> states{state()};
    type("cmbrace", "Dwarf");
    states.push_back(state());
    type("cmbfc", "Artificer");
    type("cmbsc", "Anti-Paladin");
    QTest::mouseClick(find("cmdstrt"), Qt::LeftButton);
    states.push_back(state());
    press("cmdmfu", Qt::RightButton);
    states.push_back(state());
    press("cmdmfu", Qt::MiddleButton);  // changes nothing: no step
    QTest::mouseClick(find("chkBless"), Qt::LeftButton);
    states.push_back(state());
    QCOMPARE(window_->history().size(), size_t(6));
    QVERIFY(command("Undo")->text().endsWith("Undo Check Bless"));
    recorder_.shown.clear();
    trigger("Undo");
    QVERIFY(state() == states[3]);
    QVERIFY(!find<QCheckBox>("chkBless")->isChecked());
    QCOMPARE(command("Undo")->text(), QString("&Undo Raise M Fire by 10"));
    trigger("Undo");
    QVERIFY(state() == states[2]);
    QCOMPARE(find<QLineEdit>("txtmf")->text(), QString("15"));
    trigger("Undo");  // the start
    trigger("Undo");
    trigger("Undo");  // the two classes
    QVERIFY(state() == states[1]);
    QCOMPARE(find<QComboBox>("cmbrace")->currentText(), QString("Dwarf"));
    trigger("Undo");  // "Dwarf" typed letter by letter is one step
    QVERIFY(state() == states[0]);
    QVERIFY(!command("Undo")->isEnabled());
    for (int i = 0; i < 6; ++i) trigger("Redo");
    QVERIFY(state() == states[4]);
    QVERIFY(recorder_.shown.empty());
    QVERIFY(!command("Redo")->isEnabled());
  }

  // Whatever control or command is used between two typings in one box ends
  // the first: Undo then takes back the second typing alone.
  void anyControlOrCommandEndsTyping_data() {
    QTest::addColumn<QString>("between");
    for (const char* used : {"cmdhelp", "fclstskill", "Copy Plavet Code", "Copy Plavet as Text",
                             "Skill Goals...", "Help", "Space and Enter Press Arrows"})
      QTest::newRow(used) << QString(used);
  }
  void anyControlOrCommandEndsTyping() {
    QFETCH(QString, between);
    type("cmbrace", "Elf");
    if (between == "cmdhelp") {
      QTest::mouseClick(find(between), Qt::LeftButton);
    } else if (between == "fclstskill") {
      auto* list = find<QListWidget>(between);
      list->addItem("a skill");  // a list item to press, as after Show Current Skills
      QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                        list->visualItemRect(list->item(0)).center());
    } else {
      trigger(between);
    }
    auto* race = find<QComboBox>("cmbrace");
    race->lineEdit()->selectAll();
    type("cmbrace", "Human");
    QCOMPARE(race->currentText(), QString("Human"));
    trigger("Undo");
    QCOMPARE(race->currentText(), QString("Elf"));
    for (QWidget* w : QApplication::topLevelWidgets())
      if (w != window_.get()) w->close();
  }

  // The combo boxes keep the keys they use: Ctrl+Z and Ctrl+C in a box's text
  // work on the text, not on the plavet.
  void theControlsKeepTheirKeys() {
    type("cmbrace", "Elf");
    QTest::mouseClick(find("chkBless"), Qt::LeftButton);  // ends the typing
    auto* edit = find<QComboBox>("cmbrace")->lineEdit();
    edit->setFocus();
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QGuiApplication::clipboard()->text(), QString("Elf"));
    const size_t steps = window_->history().size();
    QTest::keyClick(edit, Qt::Key_Z, Qt::ControlModifier);  // the box's own undo
    QCOMPARE(window_->history().size(), steps + 1);         // ...which is a step of its own
    find("txtmf")->setFocus();
    QTest::keyClick(find("txtmf"), Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(window_->history().size(), steps + 1);
    QVERIFY(command("Redo")->isEnabled());
  }

  // Save, change, open again: the plavet comes back exactly, the caption and
  // the modified marker follow the file.
  void saveAndOpenGiveThePlavetBack() {
    startDwarf();
    press("cmdmfu", Qt::RightButton);
    QTest::mouseClick(find("cmdshsk"), Qt::LeftButton);
    const sheet::State saved = state();
    nextFile_ = path("dwarf.plavet");
    trigger("Save As");
    QVERIFY(told_.isEmpty());
    QCOMPARE(window_->windowTitle(), QString("dwarf.plavet[*] - Plavet Program v1.33"));
    QVERIFY(!window_->isWindowModified());
    press("cmdpfu", Qt::LeftButton);
    QVERIFY(window_->isWindowModified());
    trigger("Undo");
    QVERIFY(!window_->isWindowModified());  // back where the file is
    trigger("Redo");

    answer_ = PlavetWindow::Answer::Cancel;
    trigger("Open");
    QCOMPARE(asked_, 1);
    QVERIFY(state() != saved);  // cancelled: nothing changed
    answer_ = PlavetWindow::Answer::Discard;
    trigger("Open");
    QVERIFY(state() == saved);
    QCOMPARE(find<QListWidget>("fclstskill")->count(), int(saved.firstClassSkills.items().size()));
    QVERIFY(!command("Undo")->isEnabled());
    QVERIFY(!window_->isWindowModified());

    trigger("New");  // unchanged since opened: no question
    QCOMPARE(asked_, 2);
    QVERIFY(state() == sheet::State{});
    QCOMPARE(window_->windowTitle(), QString("Plavet Program v1.33"));
  }

  // A file that is no plavet is refused with its reason; the window and the
  // file stay as they were.
  void aBadFileIsRefusedAndChangesNothing() {
    startDwarf();
    const sheet::State before = state();
    QFile bad(path("bad.plavet"));
    QVERIFY(bad.open(QIODevice::WriteOnly));
    bad.write("{\"format\": \"something else\"}");
    bad.close();
    QVERIFY(!window_->openFile(bad.fileName()));
    QCOMPARE(told_.size(), 1);
    QVERIFY(told_[0].contains("bad.plavet"));
    QVERIFY(state() == before);
    QCOMPARE(window_->windowTitle(), QString("Plavet Program v1.33"));
    QVERIFY(bad.open(QIODevice::ReadOnly));
    QCOMPARE(bad.readAll(), QByteArray("{\"format\": \"something else\"}"));

    // A save that cannot be written says so and leaves the plavet changed.
    nextFile_ = path("no such folder/x.plavet");
    QVERIFY(!window_->saveAs());
    QCOMPARE(told_.size(), 2);
    QVERIFY(window_->needsSaving());
  }

  // A plavet travels as a code: copy, start over, paste; the paste is a step.
  void aCodeCarriesThePlavet() {
    startDwarf();
    press("cmdpau", Qt::RightButton);
    const sheet::State copied = state();
    trigger("Copy Plavet Code");
    const QString code = QGuiApplication::clipboard()->text();
    QVERIFY(!code.contains('\n'));
    QVERIFY(code.size() <= 60);
    answer_ = PlavetWindow::Answer::Discard;
    trigger("New");
    trigger("Paste Plavet Code");
    QVERIFY(told_.isEmpty());
    QCOMPARE(state().boxes, copied.boxes);
    QCOMPARE(state().selections, copied.selections);
    QCOMPARE(command("Undo")->text(), QString("&Undo Paste plavet code"));
    trigger("Undo");
    QVERIFY(state() == sheet::State{});

    QGuiApplication::clipboard()->setText("not a code");
    trigger("Paste Plavet Code");
    QCOMPARE(told_.size(), 1);
    QVERIFY(state() == sheet::State{});

    // A note holding the code opens as the plavet, without becoming its file.
    QFile note(path("note.txt"));
    QVERIFY(note.open(QIODevice::WriteOnly));
    note.write(code.toUtf8() + "\n");
    note.close();
    QVERIFY(window_->openFile(note.fileName()));
    QCOMPARE(state().boxes, copied.boxes);
    QCOMPARE(window_->windowTitle(), QString("Plavet Program v1.33"));

    trigger("Copy Plavet as Text");
    const QString text = QGuiApplication::clipboard()->text();
    QVERIFY(text.contains("Dwarf"));
    QVERIFY(text.trimmed().endsWith(code));
  }

  // Paste finds the code in whatever holds one; a text without one, or with a
  // damaged one, is refused and changes nothing. So does a code or a link
  // given to the program at start.
  void pasteFindsTheCodeInAnyText() {
    startDwarf();
    press("cmdmfu", Qt::RightButton);
    QTest::mouseClick(find("cmdshsk"), Qt::LeftButton);  // the lists a pasted code shows
    trigger("Copy Plavet Code");
    const QString code = QGuiApplication::clipboard()->text();
    trigger("Copy Plavet as Text");
    const QString asText = QGuiApplication::clipboard()->text();
    const sheet::State copied = state();
    answer_ = PlavetWindow::Answer::Discard;
    QString damaged = code;
    damaged[20] = damaged[20] == 'A' ? 'B' : 'A';
    const std::vector<std::pair<QString, bool>> clipboards = {
        {"try this: " + code + " !", true},
        {asText, true},
        {"https://example.org/plavet/index.html#" + code, true},
        {code + " or rather plavet1-AAAA", true},  // the first
        {"see " + damaged + " there", false},
        {"no code at all", false},
    };
    for (const auto& [clipboard, usable] : clipboards) {
      trigger("New");
      told_.clear();
      QGuiApplication::clipboard()->setText(clipboard);
      trigger("Paste Plavet Code");
      QCOMPARE(told_.size(), usable ? 0 : 1);
      QVERIFY2((state() == copied) == usable, qPrintable(clipboard));
      trigger("New");
      QCOMPARE(window_->openCode(clipboard), usable);
      QVERIFY2((state() == copied) == usable, qPrintable(clipboard));
    }
  }

  // Closing asks only when a started plavet has changes not in a file.
  void closingAsksOnlyWhenWorkWouldBeLost() {
    type("cmbrace", "Dwarf");
    QVERIFY(window_->close());  // never started: no question
    QCOMPARE(asked_, 0);
    window_->show();
    startDwarf();
    answer_ = PlavetWindow::Answer::Cancel;
    QVERIFY(!window_->close());
    QCOMPARE(asked_, 1);
    QVERIFY(window_->isVisible());
    answer_ = PlavetWindow::Answer::Discard;
    QVERIFY(window_->close());
  }

  // Help in the menu opens the help window of the Help button, once.
  void helpOpensTheOneHelpWindow() {
    trigger("Help");
    QWidget* help = window_->plavet()->helpWindow();
    QVERIFY(help && help->isVisible());
    QTest::mouseClick(find("cmdhelp"), Qt::LeftButton);
    QCOMPARE(window_->plavet()->helpWindow(), help);
  }
};

QTEST_MAIN(MainWindowTest)
#include "mainwindow_test.moc"
