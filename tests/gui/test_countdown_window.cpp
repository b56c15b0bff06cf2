// The main window's countdown driven through its real widgets: start, tick, flash, expiry.
#include "small_windows/about_window.h"
#include "zarvo_fixture.h"

#include <QAction>
#include <QRadioButton>
#include <QTimeEdit>

using namespace zarvo;
using namespace zarvo::test;

namespace {

// A one-second countdown started with Shut down selected, then everything deselected.
void StartOneSecondThenDeselect(Zarvo& z) {
  z.ClickOption(TFormOptions::ShutDownRow);
  z.form1->SetTime->setTime(QTime(0, 0, 1));
  z.form1->StartClick();
  z.ClickOption(TFormOptions::ShutDownRow);
}

} // namespace

class TestCountdownWindow : public QObject {
  Q_OBJECT
private slots:
  void wholeSetCanBeCreatedAndDestroyedRepeatedly() {
    for (int i = 0; i < 4; ++i) {
      Zarvo z;
      QVERIFY(z.form1->isVisible());
      QVERIFY(z.options->isVisible());
      QVERIFY(z.windows.FormCounter()->isVisible());
      QVERIFY(!z.windows.FormMessage()->isVisible());
      QCOMPARE(z.form1->size(), QSize(200, 140));
      // Docked by default: Options to the left, Counter below.
      QCOMPARE(z.options->geometry().topRight() + QPoint(1, 0), z.form1->geometry().topLeft());
      QCOMPARE(z.windows.FormCounter()->pos(), z.form1->geometry().bottomLeft() + QPoint(0, 1));
    }
  }

  // The windows that are not on screen at start, and the power events, wait for the first paint
  // of the main window; asking for a window first makes it at once.
  void lateWindowsFollowTheFirstPaint() {
    Zarvo z;
    QVERIFY(QTest::qWaitForWindowExposed(z.form1));
    QTRY_VERIFY_WITH_TIMEOUT(z.form1->FormMessage && z.form1->FormAbout, 20000);
    QVERIFY(z.platform.powerWatchRequests >= 1);
    QVERIFY(!z.form1->FormMessage->isVisible() && !z.form1->FormAbout->isVisible());

    FakeClock clock;
    FakeDialogs dialogs;
    FakePlatform platform;
    WindowSet unpainted(clock, dialogs, platform);
    QVERIFY(unpainted.Create());
    QVERIFY(!unpainted.Form1()->FormMessage);
    TFormAbout* about = unpainted.FormAbout();
    QVERIFY(about && unpainted.Form1()->FormAbout == about && unpainted.Form1()->FormMessage);
    QCOMPARE(unpainted.FormMessage(), unpainted.Form1()->FormMessage); // made once
  }

  void startWithNothingSelectedIsRefused() {
    Zarvo z;
    QTest::mouseClick(z.form1->Start, Qt::LeftButton);
    QCOMPARE(z.dialogs.Texts(), QStringList{QStringLiteral("Select an option first")});
    QVERIFY(!z.form1->CountdownRunning());
    z.Tick();
    QCOMPARE(z.Remaining(), QStringLiteral("00:00:00"));
    QCOMPARE(z.RemainingColour(), kLime);
    QCOMPARE(z.form1->Label_Time->text(), QStringLiteral("10:00:00"));
  }

  void afterMinuteExpiresBetween59And60Seconds() {
    Zarvo z;
    z.ClickOption(TFormOptions::ShutDownRow);
    QTest::mouseClick(z.form1->Start, Qt::LeftButton);
    QVERIFY(z.form1->CountdownRunning());
    QCOMPARE(z.RemainingColour(), kYellow);
    QCOMPARE(z.form1->Start->Hint(), QStringLiteral("Stop counting"));

    z.Tick();
    QCOMPARE(z.Remaining(), QStringLiteral("00:00:59"));
    QCOMPARE(z.windows.FormTime()->Label_TimeRemaining->text(), QStringLiteral("00:00:59"));
    int elapsed = 400;
    while (z.form1->CountdownRunning() && elapsed < 61'000) {
      z.Tick();
      elapsed += 400;
    }
    QVERIFY(!z.form1->CountdownRunning());
    QVERIFY2(elapsed > 59'000 && elapsed <= 60'000, qPrintable(QString::number(elapsed)));
    QCOMPARE(z.Remaining(), QStringLiteral("00:00:00"));
    QCOMPARE(z.RemainingColour(), kLime);
    QCOMPARE(z.form1->Start->Hint(), QStringLiteral("Start counting"));
    QCOMPARE(z.platform.calls, (QStringList{QStringLiteral("privilege"), QStringLiteral("exit 13")}));
    // The selection survives the expiry.
    QVERIFY(z.form1->Selection.ShutDownSelected);
  }

  void flashesAtEveryTick() {
    Zarvo z;
    z.ClickOption(TFormOptions::RestartRow);
    z.form1->StartClick();
    QList<QColor> colours;
    for (int i = 0; i < 4; ++i) {
      z.Tick();
      colours << z.RemainingColour();
    }
    QCOMPARE(colours, (QList<QColor>{kLime, kYellow, kLime, kYellow}));
    // Stopping by hand resets the label and stops the flashing.
    z.form1->StartClick();
    QCOMPARE(z.Remaining(), QStringLiteral("00:00:00"));
    z.Tick();
    QCOMPARE(z.RemainingColour(), kLime);
    QVERIFY(z.platform.calls.isEmpty());
  }

  void atTargetAcrossMidnight() {
    Zarvo z;
    z.clock.SetTime(23, 57, 10, 250);
    QTest::mouseClick(z.form1->RadioAt, Qt::LeftButton);
    QVERIFY(z.form1->RadioAt->isChecked());
    QCOMPARE(z.form1->SetTime->time(), QTime(0, 2, 10, 250));
    z.ClickOption(TFormOptions::LogOffRow);
    z.form1->StartClick();
    z.Tick(0);
    QCOMPARE(z.Remaining(), QStringLiteral("00:05:00"));
    z.clock.SetTime(0, 2, 9, 100);
    z.Tick(0);
    QVERIFY(z.form1->CountdownRunning());
    z.Tick(400);
    QVERIFY(!z.form1->CountdownRunning());
    QCOMPARE(z.platform.calls.last(), QStringLiteral("exit 4"));

    // "After" puts the picker back to one minute.
    QTest::mouseClick(z.form1->RadioAfter, Qt::LeftButton);
    QCOMPARE(z.form1->SetTime->time(), QTime(0, 1, 0));
  }

  void zeroDurationRunsADay() {
    Zarvo z;
    z.form1->SetTime->setTime(QTime(0, 0, 0));
    z.ClickOption(TFormOptions::ShutDownRow);
    z.form1->StartClick();
    z.Tick();
    QCOMPARE(z.Remaining(), QStringLiteral("23:59:59"));
    z.Tick();
    QVERIFY(z.form1->CountdownRunning());
    QVERIFY(z.platform.calls.isEmpty());
  }

  void missedFinalSecondStillExpires() {
    Zarvo z;
    z.ClickOption(TFormOptions::ShutDownRow);
    z.form1->StartClick();
    z.Tick(58'700); // 00:00:01.3 left
    QCOMPARE(z.Remaining(), QStringLiteral("00:00:01"));
    z.Tick(1'700); // the machine was busy: no tick fell in the last second
    QVERIFY(!z.form1->CountdownRunning());
    QCOMPARE(z.platform.calls.last(), QStringLiteral("exit 13"));
  }

  void changingTheTargetIsNotAMissedSecond() {
    Zarvo z;
    z.ClickOption(TFormOptions::ShutDownRow);
    z.form1->StartClick();
    z.Tick(59'000 - 1'500);                    // 00:00:01.5 left
    z.form1->SetTime->setTime(QTime(0, 0, 0)); // the user sets the picker to zero while it runs
    z.Tick();
    QCOMPARE(z.Remaining().left(5), QStringLiteral("23:59"));
    QVERIFY(z.form1->CountdownRunning());
    QVERIFY(z.platform.calls.isEmpty());
  }

  void switchingToAtWhileRunningJumpsToFiveMinutes() {
    Zarvo z;
    z.ClickOption(TFormOptions::StandByRow);
    z.form1->StartClick();
    z.Tick();
    z.form1->RadioAtClick();
    z.Tick();
    QCOMPARE(z.Remaining(), QStringLiteral("00:04:59"));
  }

  void deselectingEverythingWhileRunningLocksStart() {
    Zarvo z;
    z.ClickOption(TFormOptions::ShutDownRow);
    z.form1->StartClick();
    z.ClickOption(TFormOptions::ShutDownRow); // deselect again
    z.form1->StartClick();
    QVERIFY(z.form1->CountdownRunning());
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
    QVERIFY(z.form1->CountdownRunning());
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
      const QString shown = z.form1->Label_Time->text();
      z.clock.Advance(2000);
      QTRY_VERIFY_WITH_TIMEOUT(z.form1->Label_Time->text() != shown, 10000);
    };
    z.clock.Advance(1000);
    z.form1->Timer1.start();
    QTRY_VERIFY_WITH_TIMEOUT(advanced, 15000);
    QVERIFY(z.form1->CountdownRunning());
  }

  void startButtonShowsPressedFrameWhileRunning() {
    Zarvo z;
    z.ClickOption(TFormOptions::ShutDownRow);
    QTest::mouseMove(z.form1->Start, QPoint(5, 5));
    QCOMPARE(z.form1->Start->FrameIndex(), 1);
    QTest::mouseClick(z.form1->Start, Qt::LeftButton);
    QCOMPARE(z.form1->Start->FrameIndex(), 0); // mouse-up shows the normal frame
    QTest::mouseMove(z.form1->Start, QPoint(6, 6));
    QCOMPARE(z.form1->Start->FrameIndex(), 2);
    QCOMPARE(z.form1->LabelToolTip->text(), QStringLiteral("Stop counting"));
    // Moving on to the background puts it back to pressed, as a running countdown is "on".
    z.form1->Hints().ClearHover();
    QCOMPARE(z.form1->Start->FrameIndex(), 2);
  }

  void outlinesSurviveStayOnTop() {
    Zarvo z;
    auto checkOutlines = [&] {
      const QRegion main = z.form1->mask();
      QVERIFY(main.contains(QPoint(20, 2)));  // under the title artwork
      QVERIFY(!main.contains(QPoint(5, 2)));  // left of it the outline starts at y 5
      QVERIFY(main.contains(QPoint(162, 3))); // the circle around the Hide button
      QVERIFY(!main.contains(QPoint(150, 3)));
      QVERIFY(main.contains(QPoint(176, 6)));   // the close button's raised notch
      QVERIFY(!main.contains(QPoint(197, 12))); // the sloped corner
      QVERIFY(main.contains(QPoint(199, 139)));
      const QRegion options = z.options->mask();
      QVERIFY(options.contains(QPoint(147, 8)) && options.contains(QPoint(164, 8))); // Align and Locked
      QVERIFY(options.contains(QPoint(100, 279)) && !options.contains(QPoint(100, 280)));
    };
    checkOutlines();
    z.form1->TopAlwaysClick();
    QVERIFY(z.form1->AlwaysOnTop && z.form1->Alwaysontop1->isChecked());
    for (QWidget* w :
         std::initializer_list<QWidget*>{z.form1, z.options, z.windows.FormCounter(), z.windows.FormTime()})
      QVERIFY(w->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    QVERIFY(z.form1->isVisible() && z.options->isVisible());
    checkOutlines();
    z.form1->TopAlwaysClick();
    QVERIFY(!z.form1->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    checkOutlines();
  }

  void rightClickOnAButtonOpensTheMenuInsteadOfTheCommand() {
    Zarvo z;
    QTest::mousePress(z.form1->TopAlways, Qt::RightButton);
    QCOMPARE(z.form1->TopAlways->FrameIndex(), 2);
    QVERIFY(!z.form1->PopupMenu1->isVisible());
    QTest::mouseRelease(z.form1->TopAlways, Qt::RightButton);
    QCOMPARE(z.form1->TopAlways->FrameIndex(), 0);
    QVERIFY(!z.form1->AlwaysOnTop);
    QTRY_VERIFY(z.form1->PopupMenu1->isVisible());
    z.form1->PopupMenu1->hide();
    // The Options window's buttons open the same menu.
    QTest::mouseClick(z.options->Button(TFormOptions::ShutDownRow), Qt::RightButton);
    QVERIFY(!z.form1->Selection.ShutDownSelected);
    QTRY_VERIFY(z.form1->PopupMenu1->isVisible());
    z.form1->PopupMenu1->hide();
  }

  void resumeDuringCountdownStopsItAndWarns() {
    Zarvo z;
    z.form1->APM1ResumeAfterSuspend();
    QVERIFY(z.dialogs.asked.isEmpty()); // nothing runs: nothing to say

    z.ClickOption(TFormOptions::HibernateRow);
    z.form1->StartClick();
    z.platform.Broadcast(PowerEvent::ResumeSuspend);
    QVERIFY(!z.form1->CountdownRunning());
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
