// A countdown across a sleep: waking never runs the expiry actions, whichever reaches the program
// first, the first tick or the wake-up; the wake-up stops the countdown and warns.
#include "zarvo_fixture.h"

#include <QAction>
#include <QSignalSpy>

using namespace zarvo;
using namespace zarvo::test;

namespace {

constexpr int kMinute = 60'000;

// Shut Down selected, "After" 00:01:00 started at 10:00:00, ticked until 30 s remain.
void ThirtySecondsToShutDown(Zarvo& z) {
  z.ClickOption(TFormOptions::ShutDownRow);
  z.form1->StartClick();
  z.Tick(30'000);
  QCOMPARE(z.Remaining(), QStringLiteral("00:00:30"));
}

bool WarnedOfSuspend(const Zarvo& z) {
  return z.dialogs.asked.size() == 1 &&
         z.dialogs.asked.first().caption == QLatin1String("Zarvo: System Suspended");
}

} // namespace

class TestSleepWake : public QObject {
  Q_OBJECT
private slots:
  // The sleep starts outside the program (the lid closed, the desktop's menu): logind announces it,
  // the machine sleeps past the target, and on waking a tick or the wake-up comes first.
  void sleepPastTheTargetNeverShutsDown_data() {
    QTest::addColumn<int>("sleepMs");
    QTest::addColumn<bool>("tickFirst");
    QTest::newRow("past the target, tick first") << 5 * kMinute << true;
    QTest::newRow("past the target, wake-up first") << 5 * kMinute << false;
    // Waking inside the final second reads "00:00:00" on the first tick.
    QTest::newRow("into the final second, tick first") << 29'600 << true;
    QTest::newRow("into the final second, wake-up first") << 29'600 << false;
  }
  void sleepPastTheTargetNeverShutsDown() {
    QFETCH(int, sleepMs);
    QFETCH(bool, tickFirst);
    Zarvo z;
    ThirtySecondsToShutDown(z);
    z.platform.Broadcast(PowerEvent::Suspend);
    z.clock.Sleep(sleepMs);
    if (tickFirst) {
      z.Tick();
      z.Tick();
      QVERIFY(z.form1->CountdownRunning());
    }
    z.platform.Broadcast(PowerEvent::ResumeSuspend);
    QVERIFY(!z.form1->CountdownRunning());
    QTRY_VERIFY(WarnedOfSuspend(z)); // from a fresh turn of the event loop
    z.Tick();
    QVERIFY(z.platform.calls.isEmpty());
    QCOMPARE(z.Remaining(), QStringLiteral("00:00:00"));
  }

  // "Stand By" from the Run menu while a countdown runs. The request returns at once; ticks run
  // while the machine sleeps and after it wakes, and the wake-up stops the countdown.
  void standByFromTheMenuStopsTheCountdown_data() {
    QTest::addColumn<int>("sleepMs");
    QTest::addColumn<bool>("tickFirst");
    QTest::newRow("past the target, tick first") << 5 * kMinute << true;
    QTest::newRow("past the target, wake-up first") << 5 * kMinute << false;
    QTest::newRow("into the final second, tick first") << 29'600 << true;
  }
  void standByFromTheMenuStopsTheCountdown() {
    QFETCH(int, sleepMs);
    QFETCH(bool, tickFirst);
    Zarvo z;
    ThirtySecondsToShutDown(z);
    z.form1->Showconfirmation1->trigger(); // no question first
    QSignalSpy broadcasts(&z.platform, &Platform::PowerBroadcast);
    z.platform.whileAsleep = [&] {
      z.Tick(); // the last tick before the machine sleeps
      z.clock.Sleep(sleepMs);
      if (tickFirst) {
        z.Tick();
        z.Tick();
      }
    };
    z.form1->StandBy1->trigger();
    QCOMPARE(z.platform.calls,
             (QStringList{QStringLiteral("privilege"), QStringLiteral("power suspend force")}));
    QVERIFY(z.form1->CountdownRunning()); // the wake-up has not arrived yet
    QCOMPARE(broadcasts.count(), 1);
    QTRY_VERIFY(!z.form1->CountdownRunning());
    QCOMPARE(broadcasts.count(), 2);
    QTRY_VERIFY(WarnedOfSuspend(z));
    z.Tick();
    QCOMPARE(z.platform.calls.size(), 2);
  }
};

QTEST_MAIN(TestSleepWake)
#include "test_sleep_wake.moc"
