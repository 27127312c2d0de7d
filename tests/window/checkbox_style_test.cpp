// The window's check boxes must look exactly as the layout was drawn for:
// as a check box with the style sheet "QCheckBox { spacing: 3px; }" looks.
// CheckBoxStyle stands in for that style sheet; a pixel apart is a fault.
#include <QCheckBox>
#include <QImage>
#include <QWidget>
#include <QtTest>

#include "app/checkboxstyle.h"
#include "app/fonts.h"
#include "app/plavet.h"

class CheckBoxStyleTest : public QObject {
  Q_OBJECT

  // A box as the window builds it: its caption, its size, the window's font.
  static QImage drawn(const QString& caption, QSize size, bool checked, bool focused, bool enabled,
                      QStyle* style, const QString& sheet) {
    QWidget window;
    window.setFont(windowFont());
    window.resize(size + QSize(20, 20));
    auto* box = new QCheckBox(caption, &window);
    if (style) box->setStyle(style);
    if (!sheet.isEmpty()) box->setStyleSheet(sheet);
    box->setGeometry(QRect(QPoint(10, 10), size));
    box->setChecked(checked);
    box->setEnabled(enabled);
    window.show();
    if (focused) {
      QApplication::setActiveWindow(&window);
      box->setFocus(Qt::TabFocusReason);  // keyboard focus draws the focus frame
    }
    return window.grab().toImage();
  }

 private slots:
  void looksAsTheStyleSheetDid_data() {
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<bool>("checked");
    QTest::addColumn<bool>("focused");
    QTest::addColumn<bool>("enabled");
    const QSize spell(49, 17), endure(73, 17), bonus(65, 17);  // from the layout, in pixels
    QTest::newRow("Bless") << "Bless" << spell << false << false << true;
    QTest::newRow("Shield checked") << "Shield" << spell << true << false << true;
    QTest::newRow("Endure focused") << "Endure" << endure << false << true << true;
    QTest::newRow("Bonus 1 checked and focused") << "Bonus 1" << bonus << true << true << true;
    QTest::newRow("Bonus 2 disabled") << "Bonus 2" << bonus << true << false << false;
  }

  void looksAsTheStyleSheetDid() {
    QFETCH(QString, caption);
    QFETCH(QSize, size);
    QFETCH(bool, checked);
    QFETCH(bool, focused);
    QFETCH(bool, enabled);
    CheckBoxStyle style;
    const QImage ours = drawn(caption, size, checked, focused, enabled, &style, {});
    const QImage sheet =
        drawn(caption, size, checked, focused, enabled, nullptr, "QCheckBox { spacing: 3px; }");
    QCOMPARE(ours.size(), sheet.size());
    QVERIFY2(ours == sheet, "the box is drawn otherwise than with the style sheet");
  }

  // The window gives every check box that style, and only check boxes.
  void theWindowsCheckBoxesUseIt() {
    Plavet window;
    const auto boxes = window.findChildren<QCheckBox*>();
    QCOMPARE(boxes.size(), 7);
    for (QCheckBox* box : boxes) {
      QVERIFY2(dynamic_cast<CheckBoxStyle*>(box->style()), qPrintable(box->objectName()));
      QVERIFY(box->styleSheet().isEmpty());
    }
    QVERIFY(!dynamic_cast<CheckBoxStyle*>(window.style()));
  }
};

QTEST_MAIN(CheckBoxStyleTest)
#include "checkbox_style_test.moc"
