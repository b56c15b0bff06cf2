// The warning before a power action with its Postpone and Stop buttons, and the idle inhibitor,
// driven through the real windows on the fake platform.
#include "zarvo_fixture.h"

#include <QSignalSpy>

#include <QRadioButton>
#include <QTimeEdit>

using namespace zarvo;
using namespace zarvo::test;

namespace {

const QString kButtons = QStringLiteral("Postpone 10 minutes,Stop");

QString Warning(const QString& body, bool critical) {
  return (critical ? QStringLiteral("critical") : QString()) + QStringLiteral("|Zarvo|") + body +
         QLatin1Char('|') + kButtons;
}

// Ticks until the remaining time reads `text` (at most `limit` ticks).
bool TickUntil(Zarvo& z, const QString& text, int limit = 2000) {
  for (int i = 0; i < limit && z.Counting(); ++i) {
    if (z.Remaining() == text)
      return true;
    z.Tick();
  }
  return z.Remaining() == text;
}

// Ticks a running countdown until it has expired (at most `limit` ticks).
void TickToExpiry(Zarvo& z, int limit = 5000) {
  for (int i = 0; i < limit && z.Counting(); ++i)
    z.Tick();
}

} // namespace

class TestCountdownNotices : public QObject {
  Q_OBJECT
private slots:
  void warnsAtSixtyAndTenSecondsThenWithdrawsAtExpiry() {
    Zarvo z;
    z.ClickOption(TFormOptions::ShutDownRow);
    QVERIFY(z.SetPicker(QTime(0, 2, 0)));
    z.PressStart();
    QVERIFY(TickUntil(z, QStringLiteral("00:01:01")));
    QVERIFY(z.platform.notifications.isEmpty());
    QVERIFY(TickUntil(z, QStringLiteral("00:01:00")));
    QCOMPARE(z.platform.notifications,
             QStringList{Warning(QStringLiteral("The computer will shut down in 60 seconds"), false)});
    QVERIFY(!z.platform.lastNotification.icon.isNull());
    QVERIFY(z.platform.lastNotification.persistent); // stays until answered
    QVERIFY(TickUntil(z, QStringLiteral("00:00:10")));
    QCOMPARE(z.platform.notifications.size(), 2);
    QCOMPARE(z.platform.notifications.last(),
             Warning(QStringLiteral("The computer will shut down in 10 seconds"), true));

    TickToExpiry(z);
    QCOMPARE(z.platform.notifications.size(), 3);
    QCOMPARE(z.platform.notifications.last(), QStringLiteral("withdraw"));
    QCOMPARE(z.platform.calls, (QStringList{QStringLiteral("privilege"), QStringLiteral("exit 13")}));
  }

  void wordsFollowTheSelectedActionAndShortCountdownsWarnLess() {
    Zarvo z;
    z.ClickOption(TFormOptions::StandByRow);
    QVERIFY(z.SetPicker(QTime(0, 0, 30)));
    QSignalSpy sleepAndWake(&z.platform, &Platform::PowerBroadcast);
    z.RunToExpiry();
    QCOMPARE(z.platform.notifications,
             (QStringList{Warning(QStringLiteral("The computer will suspend in 10 seconds"), true),
                          QStringLiteral("withdraw")}));
    QTRY_COMPARE(sleepAndWake.count(), 2); // the wake-up after the stand-by

    z.platform.notifications.clear();
    z.ClickOption(TFormOptions::LogOffRow);
    QVERIFY(z.SetPicker(QTime(0, 0, 9)));
    z.RunToExpiry();
    QVERIFY(z.platform.notifications.isEmpty());
    QCOMPARE(z.platform.calls.last(), QStringLiteral("exit 4"));
  }

  void noWarningWithoutAPowerAction() {
    Zarvo z;
    z.dialogs.nextInputs = {QStringLiteral("Tea is ready")};
    z.ClickOption(TFormOptions::MessageRow);
    QVERIFY(z.SetPicker(QTime(0, 1, 30)));
    z.PressStart();
    TickToExpiry(z);
    QVERIFY(z.MessageWindow()->isVisible());
    QVERIFY(z.platform.notifications.isEmpty());
    // The inhibitor is held for any countdown, power action or not.
    QCOMPARE(z.platform.inhibitCalls,
             (QStringList{QStringLiteral("inhibit A countdown is running"), QStringLiteral("uninhibit")}));
  }

  void postponeAddsTenMinutesInAfterMode() {
    Zarvo z;
    z.ClickOption(TFormOptions::RestartRow);
    QVERIFY(z.SetPicker(QTime(0, 1, 0)));
    z.PressStart();
    z.Tick();
    QCOMPARE(z.platform.notifications.size(), 1);
    QVERIFY(z.platform.notifications.first().contains(QLatin1String("restart in 60 seconds")));
    z.platform.PressNotificationButton(QStringLiteral("postpone"));
    QCOMPARE(z.PickerTime(), QTime(0, 11, 0));
    QCOMPARE(z.platform.notifications.last(), QStringLiteral("withdraw"));
    // The next tick shows it; the countdown goes on and warns again a minute before.
    QCOMPARE(z.Remaining(), QStringLiteral("00:00:59"));
    z.Tick();
    QCOMPARE(z.Remaining(), QStringLiteral("00:10:59"));
    QVERIFY(z.Counting());
    QVERIFY(TickUntil(z, QStringLiteral("00:01:00")));
    QCOMPARE(z.platform.notifications.size(), 3);
    QVERIFY(z.platform.notifications.last().contains(QLatin1String("restart in 60 seconds")));
    QVERIFY(z.platform.calls.isEmpty());
  }

  void postponeInAtModeWrapsPastMidnight() {
    Zarvo z;
    z.clock.SetTime(23, 55, 30);
    z.ClickOption(TFormOptions::ShutDownRow);
    Press(z.Main(), QStringLiteral("RadioAt"));
    QVERIFY(Control<QRadioButton>(z.Main(), QStringLiteral("RadioAt"))->isChecked());
    QVERIFY(z.SetPicker(QTime(23, 56, 0)));
    z.PressStart();
    QVERIFY(TickUntil(z, QStringLiteral("00:00:10")));
    QCOMPARE(z.platform.notifications.size(), 1); // the countdown started under a minute before
    z.platform.PressNotificationButton(QStringLiteral("postpone"));
    QCOMPARE(z.PickerTime(), QTime(0, 6, 0));
    z.Tick();
    QCOMPARE(z.Remaining(), QStringLiteral("00:10:10"));
    QVERIFY(z.Counting());
    QVERIFY(TickUntil(z, QStringLiteral("00:01:00")));
    QCOMPARE(z.platform.notifications.size(), 3);
    TickToExpiry(z);
    QCOMPARE(z.clock.timeOfDay / 1000, 6 * 60 - 1); // 00:05:59, after midnight
    QCOMPARE(z.platform.calls.last(), QStringLiteral("exit 13"));
  }

  void stopStopsTheCountdownAsStartDoes() {
    Zarvo z;
    z.ClickOption(TFormOptions::HibernateRow);
    QVERIFY(z.SetPicker(QTime(0, 0, 20)));
    z.PressStart();
    QVERIFY(TickUntil(z, QStringLiteral("00:00:10")));
    QVERIFY(z.platform.idleInhibited);
    z.platform.PressNotificationButton(QStringLiteral("stop"));
    QVERIFY(!z.Counting());
    QCOMPARE(z.Remaining(), QStringLiteral("00:00:00"));
    QCOMPARE(z.RemainingColour(), kLime);
    QCOMPARE(AccessibleName(z.Main(), QStringLiteral("Start")), QStringLiteral("Start counting"));
    QCOMPARE(z.platform.notifications.last(), QStringLiteral("withdraw"));
    QVERIFY(!z.platform.idleInhibited);
    for (int i = 0; i < 60; ++i)
      z.Tick();
    QVERIFY(z.platform.calls.isEmpty());
    // A button of the withdrawn warning changes nothing.
    const QTime picker = z.PickerTime();
    z.platform.PressNotificationButton(QStringLiteral("postpone"));
    z.platform.PressNotificationButton(QStringLiteral("stop"));
    QCOMPARE(z.PickerTime(), picker);
    QVERIFY(!z.Counting());
    QVERIFY(z.dialogs.asked.isEmpty());
  }

  void inhibitorHeldFromStartToStopAndToExpiry() {
    Zarvo z;
    z.ClickOption(TFormOptions::ShutDownRow);
    QVERIFY(!z.platform.idleInhibited);
    z.PressStart();
    QVERIFY(z.platform.idleInhibited);
    z.Tick();
    z.PressStart();
    QVERIFY(!z.platform.idleInhibited);
    z.RunToExpiry();
    QVERIFY(!z.platform.idleInhibited);
    const QString take = QStringLiteral("inhibit A countdown is running");
    const QString release = QStringLiteral("uninhibit");
    QCOMPARE(z.platform.inhibitCalls, (QStringList{take, release, take, release}));
  }

  void aResumeThatStopsTheCountdownReleasesEverything() {
    Zarvo z;
    z.ClickOption(TFormOptions::ShutDownRow);
    QVERIFY(z.SetPicker(QTime(0, 0, 50)));
    z.PressStart();
    QVERIFY(TickUntil(z, QStringLiteral("00:00:10")));
    z.platform.Broadcast(PowerEvent::ResumeSuspend);
    QVERIFY(!z.Counting());
    QCOMPARE(z.platform.notifications.last(), QStringLiteral("withdraw"));
    QVERIFY(!z.platform.idleInhibited);
  }

  void trayTooltipShowsTheTimeLeftWhileInTheTray() {
    Zarvo z;
    TCoolTrayIcon& tray = z.form1->CoolTrayIcon1;
    z.ClickOption(TFormOptions::ShutDownRow);
    QVERIFY(z.SetPicker(QTime(0, 10, 0)));
    z.PressStart();
    z.Tick();
    // Not in the tray: the tooltip keeps the plain name.
    QCOMPARE(tray.Hint(), QStringLiteral("Zarvo"));
    tray.SetIconVisible(true); // as Hide does where the desktop has a tray
    z.Tick();
    QCOMPARE(tray.Hint(), QStringLiteral("Zarvo\n00:09:59"));
    QCOMPARE(tray.SystemTrayIcon().toolTip(), QStringLiteral("Zarvo\n00:09:59"));
    z.Tick(1000);
    QCOMPARE(tray.SystemTrayIcon().toolTip(), QStringLiteral("Zarvo\n00:09:58"));
    // Stopped: back to the name alone.
    z.PressStart();
    QCOMPARE(tray.SystemTrayIcon().toolTip(), QStringLiteral("Zarvo"));
    z.Tick();
    QCOMPARE(tray.Hint(), QStringLiteral("Zarvo"));
    // And after an expiry too.
    QVERIFY(z.SetPicker(QTime(0, 0, 5)));
    z.PressStart();
    z.Tick();
    QCOMPARE(tray.Hint(), QStringLiteral("Zarvo\n00:00:04"));
    TickToExpiry(z);
    QCOMPARE(tray.Hint(), QStringLiteral("Zarvo"));
    QCOMPARE(z.platform.calls.last(), QStringLiteral("exit 13"));
  }

  void quittingDuringACountdownLeavesNothingBehind() {
    FakeClock clock;
    FakeDialogs dialogs;
    FakePlatform platform;
    auto windows = std::make_unique<WindowSet>(clock, dialogs, platform);
    QVERIFY(windows->Create());
    TForm1* form1 = windows->Form1();
    form1->Timer1.stop();
    form1->TimerInitTimer();
    QVERIFY(WaitUntil([form1] { return form1->Started(); }));
    QTest::mouseClick(windows->FormOptions()->Button(TFormOptions::ShutDownRow), Qt::LeftButton);
    form1->SetTime->setTime(QTime(0, 0, 30));
    form1->StartClick();
    clock.Advance(20'500);
    form1->Timer1Timer();
    QCOMPARE(platform.notifications.size(), 1);
    QVERIFY(platform.idleInhibited);
    windows.reset();
    QVERIFY(!platform.idleInhibited);
    QCOMPARE(platform.notifications.last(), QStringLiteral("withdraw"));
    QVERIFY(platform.calls.isEmpty());
  }
};

QTEST_MAIN(TestCountdownNotices)
#include "test_countdown_notices.moc"
