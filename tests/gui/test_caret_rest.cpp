// The text cursor rests (steady) unless the user is working in a field, and blinks again when they
// type, click into a field or move the focus themselves.
#include "framework/caret_rest.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QStyleHints>
#include <QTest>
#include <QVBoxLayout>

using namespace zarvo;

class TestCaretRest : public QObject {
  Q_OBJECT

  static int FlashTime() { return QGuiApplication::styleHints()->cursorFlashTime(); }

private slots:
  void blinksOnlyWhileTheUserWorksInAField() {
    QGuiApplication::styleHints()->setCursorFlashTime(1000); // the desktop's own setting
    QWidget window;
    auto* layout = new QVBoxLayout(&window);
    auto* field = new QLineEdit(&window);
    auto* other = new QLineEdit(&window);
    auto* button = new QPushButton(QStringLiteral("Start"), &window);
    button->setFocusPolicy(Qt::NoFocus);
    layout->addWidget(field);
    layout->addWidget(other);
    layout->addWidget(button);
    {
      CaretRest rest(100);
      window.show();
      QVERIFY(QTest::qWaitForWindowActive(&window));
      field->setFocus(Qt::ActiveWindowFocusReason); // focus that the user did not move
      QVERIFY(rest.Resting());
      QCOMPARE(FlashTime(), 0);

      QTest::keyClick(field, Qt::Key_A);
      QVERIFY(!rest.Resting());
      QCOMPARE(FlashTime(), 1000);
      QTRY_VERIFY(rest.Resting()); // quiet for the rest time
      QCOMPARE(FlashTime(), 0);

      QTest::mouseClick(button, Qt::LeftButton); // not a field: the cursor stays at rest
      QVERIFY(rest.Resting());
      QTest::mouseClick(other, Qt::LeftButton);
      QVERIFY(!rest.Resting());
      QTRY_VERIFY(rest.Resting());
      field->setFocus(Qt::TabFocusReason);
      QVERIFY(!rest.Resting());
      QTRY_VERIFY(rest.Resting());
    }
    QCOMPARE(FlashTime(), 1000); // given back at the end
  }

  void aDesktopThatDoesNotBlinkStaysSo() {
    QGuiApplication::styleHints()->setCursorFlashTime(0);
    {
      CaretRest rest(100);
      QVERIFY(!rest.Resting());
      QLineEdit field;
      QTest::keyClick(&field, Qt::Key_A);
      QCOMPARE(FlashTime(), 0);
    }
    QCOMPARE(FlashTime(), 0);
  }
};

QTEST_MAIN(TestCaretRest)
#include "test_caret_rest.moc"
