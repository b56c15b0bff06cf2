// The main window's countdown driven through its real widgets: start, tick, flash, expiry.
#include "small_windows/about_window.h"
#include "zarvo_fixture.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QRadioButton>
#include <QTimeEdit>

using namespace zarvo;
using namespace zarvo::test;

namespace {

// A one-second countdown started with Shut down selected, then everything deselected.
void StartOneSecondThenDeselect(Zarvo& z) {
  z.ClickOption(TFormOptions::ShutDownRow);
  QVERIFY(z.SetPicker(QTime(0, 0, 1)));
  z.PressStart();
  z.ClickOption(TFormOptions::ShutDownRow);
}

// How many top-level windows called `name` exist: the windows made later show up here.
int WindowsCalled(const QString& name) {
  int n = 0;
  for (QWidget* w : QApplication::topLevelWidgets())
    n += w->objectName() == name;
  return n;
}

} // namespace

class TestCountdownWindow : public QObject {
  Q_OBJECT
private slots:
  void wholeSetCanBeCreatedAndDestroyedRepeatedly() {
    for (int i = 0; i < 4; ++i) {
      Zarvo z;
      QVERIFY(z.Main()->isVisible());
      QVERIFY(z.OptionsWindow()->isVisible());
      QVERIFY(z.CounterWindow()->isVisible());
      QVERIFY(!z.MessageWindow()->isVisible());
      QCOMPARE(z.Main()->size(), QSize(200, 140));
      // Docked by default: Options to the left, Counter below.
      QCOMPARE(z.OptionsWindow()->geometry().topRight() + QPoint(1, 0), z.Main()->geometry().topLeft());
      QCOMPARE(z.CounterWindow()->pos(), z.Main()->geometry().bottomLeft() + QPoint(0, 1));
    }
  }

  // The power events wait for the first paint of the main window; the Message and About windows
  // are made only when first asked for, the two together and once.
  void lateWindowsAreMadeWhenFirstNeeded() {
    Zarvo z;
    QVERIFY(QTest::qWaitForWindowExposed(z.Main()));
    QTRY_VERIFY_WITH_TIMEOUT(z.platform.powerWatchRequests >= 1, 20000);
    QCOMPARE(WindowsCalled(QStringLiteral("FormMessage")), 0);
    QCOMPARE(WindowsCalled(QStringLiteral("FormAbout")), 0);
    QWidget* about = z.windows.FormAbout();
    QVERIFY(about && !about->isVisible());
    QCOMPARE(WindowsCalled(QStringLiteral("FormAbout")), 1);
    QCOMPARE(WindowsCalled(QStringLiteral("FormMessage")), 1);
    QCOMPARE(z.windows.FormAbout(), about);
    QCOMPARE(WindowsCalled(QStringLiteral("FormAbout")), 1);
  }

  // While only the clock changes, the tick comes just past each whole second; a running countdown
  // and a playing sound (whose end it watches) bring back the 400 ms tick. A tick run by hand
  // leaves a stopped timer stopped.
  void theTickFollowsTheSecondsWhileNothingCounts() {
    Zarvo z;
    z.clock.Advance(250); // 10:00:00.250
    z.Tick(0);
    QVERIFY(!z.form1->Timer1.isActive());
    z.StartTicking();
    z.Tick(0);
    QVERIFY(z.form1->Timer1.isActive());
    QCOMPARE(z.form1->Timer1.interval(), 750 + 5);
    QCOMPARE(z.LocalTime(), QStringLiteral("10:00:00"));

    z.dialogs.nextInputs = {QStringLiteral("Tea")};
    z.ClickOption(TFormOptions::MessageRow);
    z.PressStart();
    QVERIFY(z.Counting());
    QCOMPARE(z.form1->Timer1.interval(), TForm1::kTickMs);
    z.Tick(400);
    QCOMPARE(z.form1->Timer1.interval(), TForm1::kTickMs);
    z.PressStart(); // stops it
    z.Tick(400);    // 10:00:01.050
    QCOMPARE(z.form1->Timer1.interval(), 950 + 5);
    QVERIFY(z.form1->Timer1.isActive());
  }

  void startWithNothingSelectedIsRefused() {
    Zarvo z;
    z.PressStart();
    QCOMPARE(z.dialogs.Texts(), QStringList{QStringLiteral("Select an option first")});
    QVERIFY(!z.Counting());
    z.Tick();
    QCOMPARE(z.Remaining(), QStringLiteral("00:00:00"));
    QCOMPARE(z.RemainingColour(), kLime);
    QCOMPARE(z.LocalTime(), QStringLiteral("10:00:00"));
  }

  void afterMinuteExpiresBetween59And60Seconds() {
    Zarvo z;
    z.ClickOption(TFormOptions::ShutDownRow);
    z.PressStart();
    QVERIFY(z.Counting());
    QCOMPARE(z.RemainingColour(), kYellow);

    z.Tick();
    QCOMPARE(z.Remaining(), QStringLiteral("00:00:59"));
    QCOMPARE(Text(z.TimeWindow(), QStringLiteral("Label_TimeRemaining")), QStringLiteral("00:00:59"));
    int elapsed = 400;
    while (z.Counting() && elapsed < 61'000) {
      z.Tick();
      elapsed += 400;
    }
    QVERIFY(!z.Counting());
    QVERIFY2(elapsed > 59'000 && elapsed <= 60'000, qPrintable(QString::number(elapsed)));
    QCOMPARE(z.Remaining(), QStringLiteral("00:00:00"));
    QCOMPARE(z.RemainingColour(), kLime);
    QCOMPARE(AccessibleName(z.Main(), QStringLiteral("Start")), QStringLiteral("Start counting"));
    QCOMPARE(z.platform.calls, (QStringList{QStringLiteral("privilege"), QStringLiteral("exit 13")}));
    // The selection survives the expiry.
    QVERIFY(z.OptionChecked(TFormOptions::ShutDownRow));
  }

  void flashesAtEveryTick() {
    Zarvo z;
    z.ClickOption(TFormOptions::RestartRow);
    z.PressStart();
    QList<QColor> colours;
    for (int i = 0; i < 4; ++i) {
      z.Tick();
      colours << z.RemainingColour();
    }
    QCOMPARE(colours, (QList<QColor>{kLime, kYellow, kLime, kYellow}));
    // Stopping by hand resets the label and stops the flashing.
    z.PressStart();
    QVERIFY(!z.Counting());
    QCOMPARE(z.Remaining(), QStringLiteral("00:00:00"));
    z.Tick();
    QCOMPARE(z.RemainingColour(), kLime);
    QVERIFY(z.platform.calls.isEmpty());
  }

  void atTargetAcrossMidnight() {
    Zarvo z;
    z.clock.SetTime(23, 57, 10, 250);
    Press(z.Main(), QStringLiteral("RadioAt"));
    QVERIFY(Control<QRadioButton>(z.Main(), QStringLiteral("RadioAt"))->isChecked());
    QCOMPARE(z.PickerTime(), QTime(0, 2, 10, 250));
    z.ClickOption(TFormOptions::LogOffRow);
    z.PressStart();
    z.Tick(0);
    QCOMPARE(z.Remaining(), QStringLiteral("00:05:00"));
    z.clock.SetTime(0, 2, 9, 100);
    z.Tick(0);
    QVERIFY(z.Counting());
    z.Tick(400);
    QVERIFY(!z.Counting());
    QCOMPARE(z.platform.calls.last(), QStringLiteral("exit 4"));

    // "After" puts the picker back to one minute.
    Press(z.Main(), QStringLiteral("RadioAfter"));
    QCOMPARE(z.PickerTime(), QTime(0, 1, 0));
  }

  void aClickInThePickerSelectsTheSectionForTyping() {
    Zarvo z;
    auto* picker = z.form1->findChild<QTimeEdit*>(QStringLiteral("SetTime"));
    QVERIFY(picker);
    auto* field = picker->findChild<QLineEdit*>();
    QVERIFY(field);
    QCOMPARE(field->text(), QStringLiteral("00:01:00"));
    // A point over the character at `index` of "HH:mm:ss".
    const auto over = [field](int index) {
      for (int x = 0; x < field->width(); ++x)
        if (field->cursorPositionAt(QPoint(x, field->height() / 2)) == index)
          return QPoint(x + 2, field->height() / 2);
      return QPoint();
    };
    QTest::mouseClick(field, Qt::LeftButton, {}, over(4));
    QCOMPARE(picker->currentSection(), QDateTimeEdit::MinuteSection);
    QTest::keyClicks(picker, QStringLiteral("07"));
    QCOMPARE(picker->time(), QTime(0, 7, 0));
    // Another click, on the hours: the field has the focus now, and the click still selects.
    QTest::mouseClick(field, Qt::LeftButton, {}, over(1));
    QTest::keyClicks(picker, QStringLiteral("12"));
    QCOMPARE(picker->time(), QTime(12, 7, 0));
  }

  void zeroDurationRunsADay() {
    Zarvo z;
    QVERIFY(z.SetPicker(QTime(0, 0, 0)));
    z.ClickOption(TFormOptions::ShutDownRow);
    z.PressStart();
    z.Tick();
    QCOMPARE(z.Remaining(), QStringLiteral("23:59:59"));
    z.Tick();
    QVERIFY(z.Counting());
    QVERIFY(z.platform.calls.isEmpty());
  }

  void switchingToAtWhileRunningJumpsToFiveMinutes() {
    Zarvo z;
    z.ClickOption(TFormOptions::StandByRow);
    z.PressStart();
    z.Tick();
    Press(z.Main(), QStringLiteral("RadioAt"));
    z.Tick();
    QCOMPARE(z.Remaining(), QStringLiteral("00:04:59"));
  }

  void deselectingEverythingWhileRunningLocksStart() {
    Zarvo z;
    z.ClickOption(TFormOptions::ShutDownRow);
    z.PressStart();
    z.ClickOption(TFormOptions::ShutDownRow); // deselect again
    z.PressStart();
    QVERIFY(z.Counting());
    QCOMPARE(z.dialogs.Texts(), QStringList{QStringLiteral("Select an option first")});
  }

  // Everything deselected while counting: each tick that reads 00:00:00 says so once the tick has
  // returned, and the countdown runs on through the wrap, which brings no box of its own.
  void expiryWithNothingSelectedRefusesAfterTheTick() {
    Zarvo z;
    StartOneSecondThenDeselect(z);
    z.Tick(700);
    QCOMPARE(z.Remaining(), QStringLiteral("00:00:00"));
    QVERIFY(z.dialogs.asked.isEmpty()); // not from inside the tick
    QCoreApplication::processEvents();
    QCOMPARE(z.dialogs.Texts(), QStringList{QStringLiteral("Select an option first")});
    z.Tick(250);
    QCoreApplication::processEvents();
    QCOMPARE(z.dialogs.asked.size(), 2);
    z.Tick();
    QCoreApplication::processEvents();
    QCOMPARE(z.Remaining(), QStringLiteral("23:59:59"));
    QCOMPARE(z.dialogs.asked.size(), 2);
    QVERIFY(z.Counting());
    QVERIFY(z.platform.calls.filter(QStringLiteral("exit")).isEmpty());
  }

  // The clock keeps going while that box is open, as behind any modal box.
  void clockRunsBehindTheRefusalAtExpiry() {
    Zarvo z;
    StartOneSecondThenDeselect(z);
    bool advanced = false;
    z.dialogs.whileMessageShown = [&] {
      if (advanced)
        return;
      advanced = true;
      const QString shown = z.LocalTime();
      z.clock.Advance(2000);
      QTRY_VERIFY_WITH_TIMEOUT(z.LocalTime() != shown, 10000);
    };
    z.clock.Advance(1000);
    z.StartTicking();
    QTRY_VERIFY_WITH_TIMEOUT(advanced, 15000);
    QVERIFY(z.Counting());
  }

  // Hover, press and the running countdown's "on" state in the Start button's frame and the hint line.
  void startButtonShowsPressedFrameWhileRunning() {
    Zarvo z;
    const QString start = QStringLiteral("Start");
    z.ClickOption(TFormOptions::ShutDownRow);
    Hover(z.Main(), start, QPoint(5, 5));
    QCOMPARE(Zarvo::Frame(z.Main(), start), 1);
    QCOMPARE(z.Hint(), QStringLiteral("Start counting"));
    z.PressStart();
    QCOMPARE(Zarvo::Frame(z.Main(), start), 0); // mouse-up shows the normal frame
    Hover(z.Main(), start, QPoint(6, 6));
    QCOMPARE(Zarvo::Frame(z.Main(), start), 2);
    QCOMPARE(z.Hint(), QStringLiteral("Stop counting"));
    // Moving on to the background puts it back to pressed, as a running countdown is "on".
    Zarvo::HoverBackground(z.Main(), QPoint(5, 60));
    QCOMPARE(Zarvo::Frame(z.Main(), start), 2);
  }

  void outlinesSurviveStayOnTop() {
    Zarvo z;
    auto checkOutlines = [&] {
      const QRegion main = z.Main()->mask();
      QVERIFY(main.contains(QPoint(20, 2)));  // under the title artwork
      QVERIFY(!main.contains(QPoint(5, 2)));  // left of it the outline starts at y 5
      QVERIFY(main.contains(QPoint(162, 3))); // the circle around the Hide button
      QVERIFY(!main.contains(QPoint(150, 3)));
      QVERIFY(main.contains(QPoint(176, 6)));   // the close button's raised notch
      QVERIFY(!main.contains(QPoint(197, 12))); // the sloped corner
      QVERIFY(main.contains(QPoint(199, 139)));
      const QRegion options = z.OptionsWindow()->mask();
      QVERIFY(options.contains(QPoint(147, 8)) && options.contains(QPoint(164, 8))); // Align and Locked
      QVERIFY(options.contains(QPoint(100, 279)) && !options.contains(QPoint(100, 280)));
    };
    checkOutlines();
    Press(z.Main(), QStringLiteral("TopAlways"));
    QVERIFY(MenuChecked(z.Main(), QStringLiteral("Alwaysontop1")));
    for (QWidget* w : z.Group())
      QVERIFY(w->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    QVERIFY(z.Main()->isVisible() && z.OptionsWindow()->isVisible());
    checkOutlines();
    Press(z.Main(), QStringLiteral("TopAlways"));
    QVERIFY(!MenuChecked(z.Main(), QStringLiteral("Alwaysontop1")));
    QVERIFY(!z.Main()->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    checkOutlines();
  }

  void rightClickOnAButtonOpensTheMenuInsteadOfTheCommand() {
    Zarvo z;
    QWidget* topAlways = Control(z.Main(), QStringLiteral("TopAlways"));
    auto* menu = Control<QMenu>(z.Main(), QStringLiteral("PopupMenu1"));
    QTest::mousePress(topAlways, Qt::RightButton);
    QCOMPARE(Zarvo::Frame(z.Main(), QStringLiteral("TopAlways")), 2);
    QVERIFY(!menu->isVisible());
    QTest::mouseRelease(topAlways, Qt::RightButton);
    QCOMPARE(Zarvo::Frame(z.Main(), QStringLiteral("TopAlways")), 0);
    QVERIFY(!MenuChecked(z.Main(), QStringLiteral("Alwaysontop1")));
    QTRY_VERIFY(menu->isVisible());
    menu->hide();
    // The Options window's buttons open the same menu.
    Press(z.OptionsWindow(), Zarvo::OptionName(TFormOptions::ShutDownRow), Qt::RightButton);
    QVERIFY(!z.OptionChecked(TFormOptions::ShutDownRow));
    QTRY_VERIFY(menu->isVisible());
    menu->hide();
  }

  void resumeDuringCountdownStopsItAndWarns() {
    Zarvo z;
    z.platform.Broadcast(PowerEvent::ResumeSuspend);
    QVERIFY(z.dialogs.asked.isEmpty()); // nothing runs: nothing to say

    z.ClickOption(TFormOptions::HibernateRow);
    z.PressStart();
    z.platform.Broadcast(PowerEvent::ResumeSuspend);
    QVERIFY(!z.Counting());
    QTRY_COMPARE(z.dialogs.asked.size(), 1); // from a fresh turn of the event loop
    const FakeDialogs::Asked& box = z.dialogs.asked.first();
    QCOMPARE(box.caption, QStringLiteral("Zarvo: System Suspended"));
    QCOMPARE(box.icon, Icon::Information);
    QCOMPARE(box.buttons, Buttons::Ok);
    QCOMPARE(box.text, QString(24, QLatin1Char(' ')) +
                           QStringLiteral("System entered in suspended mode!\n\r\n\r"
                                          "Remove the Standby and Hibernate from  Control "
                                          "Panel->Power Options\n\r") +
                           QString(22, QLatin1Char(' ')) +
                           QStringLiteral("so that Zarvo to complete successfully!"));
  }
};

QTEST_MAIN(TestCountdownWindow)
#include "test_countdown_window.moc"
