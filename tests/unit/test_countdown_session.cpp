// The countdown without windows: start and stop, the tick's reading, and the rules that decide when
// it ends across a stall, a sleep, a lost wake-up and a clock set forward.
#include "main/countdown_session.h"
#include "options/action_selection.h"
#include "platform/fake/fake_platform.h"

#include <QSignalSpy>
#include <QTest>

using namespace zarvo;

namespace {

constexpr int kSecond = 1'000;
constexpr int kMinute = 60'000;

// A session counting "After" 00:01:00 from 10:00:00 to a shut-down, ticked until 30 s remain.
struct Counting {
  FakeClock clock;
  FakePlatform platform;
  ActionSelection selection;
  CountdownSession session{clock, platform, selection};
  QSignalSpy expired{&session, &CountdownSession::Expired};
  QSignalSpy remaining{&session, &CountdownSession::RemainingChanged};

  Counting() {
    clock.SetTime(10, 0, 0);
    selection.ShutDownSelected = true;
    session.SetPickerMs(kMinute);
    session.Start();
    Tick(30 * kSecond);
  }
  void Tick(int ms = 400) {
    clock.Advance(ms);
    session.Tick();
  }
  QString Shown() const { return remaining.isEmpty() ? QString() : remaining.last().at(0).toString(); }
};

} // namespace

class TestCountdownSession : public QObject {
  Q_OBJECT
private slots:
  void startTickStop() {
    Counting c;
    QVERIFY(c.session.CountdownRunning());
    QCOMPARE(c.session.StartTimeOfDay(), 10 * 3'600'000);
    QCOMPARE(c.Shown(), QStringLiteral("00:00:30"));
    QCOMPARE(c.platform.powerWatchRequests, 1); // a sleep from the start on is heard
    QVERIFY(c.platform.idleInhibited);
    c.session.Stop();
    QVERIFY(!c.session.CountdownRunning() && !c.platform.idleInhibited);
    c.Tick();
    QCOMPARE(c.remaining.count(), 1); // a stopped session reads nothing
    // Switching to "At" while running reads the new target at the next tick.
    c.session.Start();
    c.session.SetMode(CountdownMode::At);
    c.session.SetPickerMs(c.clock.timeOfDay + 400 + 5 * kMinute + 500);
    c.Tick();
    QCOMPARE(c.Shown(), QStringLiteral("00:05:00"));
  }

  void expiresInTheFinalSecond() {
    Counting c;
    c.Tick(29'000);
    QCOMPARE(c.Shown(), QStringLiteral("00:00:01"));
    QCOMPARE(c.expired.count(), 0);
    c.Tick(700);
    QCOMPARE(c.Shown(), QStringLiteral("00:00:00"));
    QCOMPARE(c.expired.count(), 1);
  }

  // The program stood still across the target (both clocks moved alike): a tick up to a minute
  // late still fires; a later one gives up instead of acting long after the time the user chose.
  void stallAcrossTheTarget_data() {
    QTest::addColumn<int>("stallMs");
    QTest::addColumn<bool>("fires");
    QTest::newRow("30 s late: fires") << 30 * kSecond << true;
    QTest::newRow("a minute late: fires") << 60 * kSecond << true;
    QTest::newRow("3 minutes late: lapses") << 3 * kMinute << false;
    QTest::newRow("an hour late: lapses") << 60 * kMinute << false;
  }
  void stallAcrossTheTarget() {
    QFETCH(int, stallMs);
    QFETCH(bool, fires);
    Counting c;
    QSignalSpy lapsed(&c.session, &CountdownSession::Lapsed);
    c.Tick(29'000); // 00:00:01 left
    c.Tick(1'000 + stallMs);
    QVERIFY(c.Shown().startsWith(QLatin1String("23:")));
    QCOMPARE(c.expired.count(), fires ? 1 : 0);
    QCOMPARE(lapsed.count(), fires ? 0 : 1);
    if (!fires)
      QCOMPARE(lapsed.first().at(0).toInt(), stallMs);
  }

  // The wall clock moved while the monotonic clock stood still (a sleep nobody announced, or a clock
  // set forward): no missed final second, the countdown runs on a day.
  void clockJumpIsNoMissedSecond() {
    Counting c;
    c.clock.Sleep(5 * kMinute);
    c.Tick();
    QCOMPARE(c.Shown().left(5), QStringLiteral("23:55"));
    QCOMPARE(c.expired.count(), 0);
    // Nor does the target moved across the present by the user end it.
    c.session.SetPickerMs(c.session.PickerMs() + 10 * kMinute);
    c.Tick();
    QCOMPARE(c.expired.count(), 0);
  }

  // An announced sleep holds the expiry: a tick that reads "00:00:00" on waking does not end the
  // countdown (the wake-up stops it instead), nor does the final second that passed asleep once the
  // wake-up has come. A wake-up that is never reported lapses after two minutes of awake time; the
  // target is then too far past to act on.
  void sleepHoldsTheExpiry() {
    Counting c;
    c.session.SleepAnnounced();
    c.clock.Sleep(29'600);
    c.Tick(); // reads 00:00:00 while the sleep is pending
    QCOMPARE(c.Shown(), QStringLiteral("00:00:00"));
    QCOMPARE(c.expired.count(), 0);
    c.session.WokeUp();
    c.Tick();
    QCOMPARE(c.Shown(), QStringLiteral("23:59:59"));
    QCOMPARE(c.expired.count(), 0);
  }
  void lostWakeUpLapses() {
    Counting c;
    QSignalSpy lapsed(&c.session, &CountdownSession::Lapsed);
    c.session.SleepAnnounced();
    c.Tick(29'500);
    for (int i = 0; i < 400 && lapsed.isEmpty(); ++i)
      c.Tick();
    // By then the target is two minutes past: too late to act, and the user is told instead.
    QCOMPARE(lapsed.count(), 1);
    QCOMPARE(c.expired.count(), 0);
    QVERIFY(c.clock.tick - 1'000'000 - 30 * kSecond > CountdownSession::kSleepAnnouncementLapseMs);
  }

  // The warnings follow the selection as it stands at each tick, and only for a power action.
  void warnsBeforeThePowerActionOnly() {
    Counting c;
    c.Tick(2 * kSecond);                          // 00:00:28
    c.Tick(18 * kSecond);                         // 00:00:10
    QCOMPARE(c.platform.notifications.size(), 2); // the minute's warning at the first tick, then ten seconds
    QVERIFY(!c.platform.notifications.first().startsWith(QLatin1String("critical|")));
    QVERIFY(c.platform.notifications.last().startsWith(QLatin1String("critical|")));
    FakeClock clock;
    FakePlatform platform;
    ActionSelection messageOnly;
    messageOnly.ShowMessageSelected = true;
    CountdownSession quiet(clock, platform, messageOnly);
    quiet.SetPickerMs(15 * kSecond);
    quiet.Start();
    for (int i = 0; i < 40; ++i) {
      clock.Advance(400);
      quiet.Tick();
    }
    QVERIFY(platform.notifications.isEmpty());
  }
};

QTEST_GUILESS_MAIN(TestCountdownSession)
#include "test_countdown_session.moc"
