// What the desktop and its assistive tools learn from the program: the menu
// entry its windows belong to, its icon, and for every control what a screen
// reader says about it.
#include <QAccessible>
#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QtTest>

#include "app/arrowbutton.h"
#include "app/explosion.h"
#include "app/identity.h"
#include "app/plavet.h"
#include "recorder.h"

namespace {

QAccessibleInterface* accessible(QObject* object) {
  QAccessibleInterface* a = QAccessible::queryAccessibleInterface(object);
  if (!a) qFatal("%s has no accessible interface", qPrintable(object->objectName()));
  return a;
}

// The controls of a window, without the parts that widgets make for themselves.
QList<QWidget*> controlsOf(QWidget* window) {
  return window->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly);
}

}  // namespace

class DesktopTest : public QObject {
  Q_OBJECT

 private:
  Recorder silent_;  // nothing here expects a message
  std::unique_ptr<Plavet> window_;

  QWidget* control(const QString& name) {
    auto* w = window_->findChild<QWidget*>(name);
    if (!w) qFatal("no control %s", qPrintable(name));
    return w;
  }

 private slots:
  void initTestCase() { introduceToDesktop(); }
  void init() {
    window_ = std::make_unique<Plavet>(&silent_);
    window_->show();
    QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
  }
  void cleanup() { window_.reset(); }

  void windowsBelongToTheMenuEntry() {
    QCOMPARE(QGuiApplication::desktopFileName(), QString(PLAVET_DESKTOP_ID));
    // The window class, which the menu entry's StartupWMClass names.
    QCOMPARE(QApplication::applicationName(), QString("PlavetProgram"));
  }

  // The first of the icon's tests: nothing has asked for its pixels yet.
  void theIconIsNotReadBeforeItIsDrawn() {
    QFile maps("/proc/self/maps");
    if (!maps.open(QIODevice::ReadOnly)) QSKIP("no /proc on this system");
    QVERIFY2(!maps.readAll().contains("qsvgicon"), "the SVG icon plugin loaded at start-up");
  }

  void theIconIsTheDrawingAtEverySize() {
    const QIcon drawing(":/" PLAVET_DESKTOP_ID ".svg");
    const QIcon icon = QApplication::windowIcon();
    for (int size : {16, 22, 32, 48, 64, 100, 256})
      for (qreal ratio : {1.0, 1.5, 2.0}) {
        QCOMPARE(icon.actualSize(QSize(size, size)), drawing.actualSize(QSize(size, size)));
        QCOMPARE(icon.pixmap(QSize(size, size), ratio).toImage(),
                 drawing.pixmap(QSize(size, size), ratio).toImage());
      }
    // Painted into a rectangle, as a list or a button draws an icon.
    auto paintedBy = [](const QIcon& source) {
      QImage image(64, 40, QImage::Format_ARGB32_Premultiplied);
      image.fill(Qt::transparent);
      QPainter painter(&image);
      source.paint(&painter, image.rect());
      return image;
    };
    QCOMPARE(paintedBy(icon), paintedBy(drawing));
  }

  void theIconIsSharpAtEverySize() {
    const QIcon icon = window_->windowIcon();
    QVERIFY(!icon.isNull());
    for (int size : {16, 24, 32, 48, 64, 128, 256}) {
      for (qreal ratio : {1.0, 2.0}) {
        const QImage image = icon.pixmap(QSize(size, size), ratio).toImage();
        // Drawn afresh for each size, never a small picture blown up.
        QCOMPARE(image.size(), QSize(size, size) * ratio);
        const QColor middle = image.pixelColor(image.width() / 2, image.height() * 3 / 4);
        QCOMPARE(middle.alpha(), 255);
      }
    }
  }

  void everyControlHasAName() {
    const QList<QWidget*> controls = controlsOf(window_.get());
    QVERIFY(controls.size() > 80);
    for (QWidget* w : controls)
      QVERIFY2(!accessible(w)->text(QAccessible::Name).isEmpty(), qPrintable(w->objectName()));
  }

  void controlsThatTakeTheFocusHaveDistinctNames() {
    QHash<QString, QString> seen;  // accessible name -> control
    for (QWidget* w : controlsOf(window_.get())) {
      if (w->focusPolicy() == Qt::NoFocus) continue;
      const QString name = accessible(w)->text(QAccessible::Name);
      QVERIFY2(!seen.contains(name),
               qPrintable(name + " names " + seen.value(name) + " and " + w->objectName()));
      seen.insert(name, w->objectName());
    }
    QCOMPARE(seen.size(), 54);  // 18 boxes, 3 combos, 24 buttons, 2 lists, 7 checkboxes
  }

  void namesSayWhatTheControlIs_data() {
    QTest::addColumn<QString>("objectName");
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("role");
    auto row = [](const char* objectName, const char* name, QAccessible::Role role) {
      QTest::newRow(objectName) << QString(objectName) << QString(name) << int(role);
    };
    row("cmdmfu", "Raise M Fire", QAccessible::Button);
    row("cmdmfd", "Lower M Fire", QAccessible::Button);
    row("cmdpsd", "Lower P Spirit", QAccessible::Button);
    row("txtmf", "M Fire", QAccessible::EditableText);
    row("txtpw", "P Water", QAccessible::EditableText);
    row("txtda", "D Air", QAccessible::EditableText);
    row("txtmpr", "Magic Points remaining", QAccessible::EditableText);
    row("txtppr", "Physical Points remaining", QAccessible::EditableText);
    row("txtepr", "Either Points remaining", QAccessible::EditableText);
    row("cmbrace", "Race", QAccessible::ComboBox);
    row("cmbfc", "First Class", QAccessible::ComboBox);
    row("cmbsc", "Second Class", QAccessible::ComboBox);
    row("cmdstrt", "Start/Reset Plavet", QAccessible::Button);
    row("cmdmulti", "Multi-Class Now!", QAccessible::Button);
    row("cmdshsk", "Show Current Skills", QAccessible::Button);
    row("cmdhelp", "Help", QAccessible::Button);
    row("fclstskill", "First Class Abilities", QAccessible::List);
    row("sclstskill", "Second Class Abilities", QAccessible::List);
    row("chkEndure", "Endure", QAccessible::CheckBox);
    row("chkPBonus1", "PElement Building Bonus 1", QAccessible::CheckBox);
    row("chkMBonus2", "MElement Amount Bonus 2", QAccessible::CheckBox);
    row("lblmpr", "Magic Points remaining.", QAccessible::StaticText);
  }
  void namesSayWhatTheControlIs() {
    QFETCH(QString, objectName);
    QFETCH(QString, name);
    QFETCH(int, role);
    QAccessibleInterface* a = accessible(control(objectName));
    QCOMPARE(a->text(QAccessible::Name), name);
    QCOMPARE(int(a->role()), role);
  }

  void arrowsTellWhatEachMouseButtonDoes() {
    const QList<ArrowButton*> arrows = window_->findChildren<ArrowButton*>();
    QCOMPARE(arrows.size(), 20);
    for (ArrowButton* arrow : arrows) {
      const QString expected =
          arrow->accessibleName() + ": a left press moves 1 point, a right press 10.";
      QCOMPARE(arrow->toolTip(), expected);
      // Screen readers read the tooltip as the button's description.
      QCOMPARE(accessible(arrow)->text(QAccessible::Description), expected);
    }
  }

  void valueBoxesReadTheirNumbersAndAreReadOnly() {
    const QList<QLineEdit*> boxes =
        window_->findChildren<QLineEdit*>(QRegularExpression("^txt"), Qt::FindDirectChildrenOnly);
    QCOMPARE(boxes.size(), 18);
    for (QLineEdit* box : boxes) {
      QAccessibleInterface* a = accessible(box);
      QVERIFY2(a->state().readOnly, qPrintable(box->objectName()));
      QCOMPARE(a->text(QAccessible::Value), QString("0"));
    }
  }

  void theHelpWindowReadsItsText() {
    Explosion help;
    help.show();
    QVERIFY(QTest::qWaitForWindowExposed(&help));
    QCOMPARE(accessible(&help)->text(QAccessible::Name), QString("Help"));
    QCOMPARE(accessible(help.findChild<QLabel*>("lblhelp"))->text(QAccessible::Name),
             QString("Help"));
    QCOMPARE(accessible(help.findChild<QLabel*>("lbldescription"))->text(QAccessible::Name),
             Explosion::helpText());
  }
};

QTEST_MAIN(DesktopTest)
#include "desktop_test.moc"
