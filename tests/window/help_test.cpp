// The help window: one instance for the whole run, its fixed text, and its
// life beside the main window, driven through the "Help" button.
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTimer>
#include <QWindow>
#include <QtTest>

#include "app/explosion.h"
#include "app/plavet.h"
#include "recorder.h"

namespace {

// Written out here on its own, so that a slip in the program's copy shows.
const QString kHelpText = QStringLiteral(
    "This program assumes you the role of a Level 60. You choose the race and combo you like, even "
    "a ridiculous one and then click the Start button. You'll then be allowed access to hit the "
    "arrow buttons to raise and lower your points and plan out your plavet pre-multi. When you "
    "have finished, you hit the multi button and it'll correctly, to a degree, all the "
    "complicated math that is needed for you. Then you can finish your plavet as you please. Be "
    "aware that if you need to back up, it'll place the points you backed up into the Magical and "
    "Physical stores only. This is so you can not try to cheat the system and get more Magical "
    "and Physical points than you really can have in the wrong type of elements.By hitting the "
    "skills button, you can see what skills you have learned so you do not have to go on the mud "
    "to see what class learns what at what time. This was a lot of work and I hope I didn't make "
    "any obvious mistakes. When you are done, you can hit the Start button again and it'll clear "
    "your selections. I haven't installed a save feature yet, so write down your numbers or store "
    "them in some other fashion. However, I'm sure this is a great step ahead in planning "
    "plavets, as I have included Right Clicking on the element buttons to jump ahead 10 elements "
    "at a time. Have fun with it, and I hope you enjoy it.");

QList<Explosion*> helpWindows() {
  QList<Explosion*> found;
  for (QWidget* w : QApplication::topLevelWidgets())
    if (auto* help = qobject_cast<Explosion*>(w)) found << help;
  return found;
}

QRect fromTwips(int left, int top, int width, int height) {
  return QRect(left / 15, top / 15, width / 15, height / 15);
}

Explosion* clickHelp(Plavet& window) {
  QTest::mouseClick(window.findChild<QPushButton*>("cmdhelp"), Qt::LeftButton);
  return window.helpWindow();
}

QLabel* label(QWidget* window, const char* name) {
  auto* found = window->findChild<QLabel*>(name);
  if (!found) qFatal("no label %s", name);
  return found;
}

}  // namespace

class HelpTest : public QObject {
  Q_OBJECT

 private:
  Recorder recorder_;
  std::unique_ptr<Plavet> window_;

  Explosion* clickHelp() { return ::clickHelp(*window_); }
  void startAPlavet() {
    for (const auto& [name, text] : std::array<std::pair<const char*, const char*>, 3>{
             {{"cmbrace", "Dwarf"}, {"cmbfc", "Druid"}, {"cmbsc", "Warrior"}}})
      window_->findChild<QComboBox*>(name)->setEditText(text);
    QTest::mouseClick(window_->findChild<QPushButton*>("cmdstrt"), Qt::LeftButton);
    QVERIFY(window_->planner().started());
  }

 private slots:
  void init() {
    recorder_.shown.clear();
    window_ = std::make_unique<Plavet>(&recorder_);
    window_->show();
    QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
  }
  void cleanup() { window_.reset(); }

  void helpIsMadeOnTheFirstClick() {
    QVERIFY(helpWindows().isEmpty());
    Explosion* help = clickHelp();
    QVERIFY(help);
    QVERIFY(help->isVisible());
    QCOMPARE(helpWindows(), QList<Explosion*>{help});
  }

  void manyClicksMakeOneWindow() {
    const QPointer<Explosion> help = clickHelp();  // becomes null if a click replaced it
    for (int i = 0; i < 5; ++i) QVERIFY(clickHelp() == help);
    QCOMPARE(helpWindows(), QList<Explosion*>{help});
    QVERIFY(help->isVisible());
  }

  void helpIsATopLevelWindowOfItsOwn() {
    Explosion* help = clickHelp();
    QVERIFY(QTest::qWaitForWindowExposed(help));
    QVERIFY(help->isWindow());
    QCOMPARE(help->parentWidget(), nullptr);
    QCOMPARE(help->windowHandle()->transientParent(), nullptr);
    QCOMPARE(help->windowModality(), Qt::NonModal);
    QCOMPARE(QApplication::activeModalWidget(), nullptr);
    // The main window goes on taking clicks while help is open.
    QTest::mouseClick(window_->findChild<QPushButton*>("cmdstrt"), Qt::LeftButton);
    QCOMPARE(recorder_.shown.size(), size_t(1));
    QVERIFY(help->isVisible());
  }

  void helpHasAFixedFrameWithOnlyACloseButton() {
    Explosion* help = clickHelp();
    QCOMPARE(help->windowTitle(), QString("Help"));
    QCOMPARE(help->size(), QSize(469, 231));
    QCOMPARE(help->minimumSize(), help->maximumSize());
    const Qt::WindowFlags flags = help->windowFlags();
    QVERIFY(flags & Qt::WindowCloseButtonHint);
    QVERIFY(!(flags & Qt::WindowMinimizeButtonHint));
    QVERIFY(!(flags & Qt::WindowMaximizeButtonHint));
  }

  void labelsShowTheHelpText() {
    Explosion* help = clickHelp();
    QLabel* title = label(help, "lblhelp");
    QCOMPARE(title->text(), QString("Help"));
    QCOMPARE(title->geometry(), fromTwips(30, 120, 6990, 300));
    QVERIFY(title->alignment() & Qt::AlignHCenter);
    QCOMPARE(title->font().pointSizeF(), 12.0);
    QVERIFY(!title->font().bold());

    QLabel* text = label(help, "lbldescription");
    QCOMPARE(text->text().size(), 1320);
    QCOMPARE(text->text(), kHelpText);
    QVERIFY(text->text().contains("elements.By"));
    QCOMPARE(text->geometry(), fromTwips(120, 600, 6855, 2775));
    QVERIFY(text->alignment() & Qt::AlignLeft);
    QVERIFY(text->wordWrap());
    QCOMPARE(text->font().pointSizeF(), 8.25);
  }

  void theWrappedTextFitsItsLabel() {
    QLabel* text = label(clickHelp(), "lbldescription");
    const int needed = text->heightForWidth(text->width());
    QVERIFY2(needed <= text->height(),
             qPrintable(QString("needs %1 px, has %2").arg(needed).arg(text->height())));
  }

  void aSecondClickBringsHelpToTheFront() {
    const QPointer<Explosion> help = clickHelp();
    QVERIFY(QTest::qWaitForWindowActive(help));
    window_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window_.get()));
    QVERIFY(clickHelp() == help);
    QVERIFY(QTest::qWaitForWindowActive(help));
  }

  void closedHelpComesBackTheSame() {
    const QPointer<Explosion> help = clickHelp();
    QVERIFY(help->close());
    QVERIFY(!help->isVisible());
    QVERIFY(clickHelp() == help);
    QVERIFY(help->isVisible());
    QCOMPARE(label(help, "lbldescription")->text(), kHelpText);
    QCOMPARE(helpWindows().size(), 1);
  }

  void helpLeavesThePlavetAlone_data() {
    QTest::addColumn<bool>("started");
    QTest::newRow("before any start") << false;
    QTest::newRow("while started") << true;
  }
  void helpLeavesThePlavetAlone() {
    QFETCH(bool, started);
    if (started) startAPlavet();
    const sheet::State before = window_->planner().state();
    const size_t messages = recorder_.shown.size();
    clickHelp();
    clickHelp();
    QVERIFY(window_->planner().state() == before);
    QCOMPARE(recorder_.shown.size(), messages);
    QVERIFY(window_->isEnabled());
  }
};

// Runs the real event loop, so the program can end when its windows say so.
class LastWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void theProgramEndsWithItsLastWindow() {
    QVERIFY(QGuiApplication::quitOnLastWindowClosed());
    Recorder recorder;
    Plavet window(&recorder);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QSignalSpy lastClosed(qApp, &QGuiApplication::lastWindowClosed);

    // Each step runs from the event loop as a user's action would; a step
    // after the program has ended never runs.
    QStringList steps;
    QPointer<Explosion> help;
    QObject steps_owner;  // takes the steps not yet run with it
    auto then = [&steps_owner](auto step) { QTimer::singleShot(20, &steps_owner, step); };
    then([&] {
      help = clickHelp(window);
      help->close();
      steps << "help closed";
      then([&] {
        clickHelp(window);
        window.close();
        steps << "main closed";
        then([&] {
          if (!help || !help->isVisible()) return;  // the watchdog will end the run
          steps << "help still shown";
          help->close();
          steps << "help closed";
        });
      });
    });
    QTimer watchdog;
    watchdog.setSingleShot(true);
    connect(&watchdog, &QTimer::timeout, [] { QCoreApplication::exit(1); });
    watchdog.start(120000);  // only for a run that never ends, however busy the machine

    QCOMPARE(QApplication::exec(), 0);
    QCOMPARE(steps, QStringList({"help closed", "main closed", "help still shown", "help closed"}));
    QCOMPARE(lastClosed.count(), 1);
  }
};

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(kApplicationName);
  int status = 0;
  {
    HelpTest t;
    status |= QTest::qExec(&t, argc, argv);
  }
  {
    LastWindowTest t;  // last: it runs and ends the application's event loop
    status |= QTest::qExec(&t, argc, argv);
  }
  return status;
}

#include "help_test.moc"
