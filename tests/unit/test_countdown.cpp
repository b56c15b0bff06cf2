// Time arithmetic of the countdown, the selection rules and the mapping of actions to power requests.
#include "framework/time_format.h"
#include "main/countdown.h"
#include "main/power_action.h"
#include "options/action_selection.h"
#include "platform/clock.h"
#include "platform/platform.h"

#include <QTest>
#include <QTime>

#include <algorithm>
#include <cstdlib>
#include <ctime>

using namespace zarvo;

namespace {
constexpr int H = 3'600'000;
constexpr int M = 60'000;
constexpr int S = 1'000;
} // namespace

class TestCountdown : public QObject {
  Q_OBJECT
private slots:
  void formatTruncatesAndPads() {
    QCOMPARE(FormatTime(0), QStringLiteral("00:00:00"));
    QCOMPARE(FormatTime(999), QStringLiteral("00:00:00"));
    QCOMPARE(FormatTime(9 * H + 3 * M + 7 * S + 999), QStringLiteral("09:03:07"));
    QCOMPARE(FormatTime(kDayMs - 1), QStringLiteral("23:59:59"));
    QCOMPARE(FormatTime(kDayMs), QStringLiteral("00:00:00"));
    QCOMPARE(FormatTime(-1), QStringLiteral("23:59:59"));
  }

  void moduloDayWrapsBothWays() {
    QCOMPARE(ModuloDay(-1), kDayMs - 1);
    QCOMPARE(ModuloDay(kDayMs + 5), 5);
    QCOMPARE(ModuloDay(-3LL * kDayMs - 2), kDayMs - 2);
    QCOMPARE(AddToTimeOfDay(23 * H + 57 * M + 10 * S, 5 * M), 2 * M + 10 * S);
  }

  void afterMode() {
    // The first tick after Start already reads 00:00:59.
    QCOMPARE(FormatTime(RemainingMs(CountdownMode::After, M, 10 * H, 10 * H + 400)),
             QStringLiteral("00:00:59"));
    // Across midnight: start 23:00, two hours, at 00:30 half an hour remains.
    QCOMPARE(RemainingMs(CountdownMode::After, 2 * H, 23 * H, 30 * M), 30 * M);
    // Started at 23:59:30 for a minute: expires at about 00:00:30.
    QCOMPARE(FormatTime(RemainingMs(CountdownMode::After, M, 23 * H + 59 * M + 30 * S, 30 * S - 100)),
             QStringLiteral("00:00:00"));
    // A zero duration wraps to just under a day and runs a day.
    QCOMPARE(FormatTime(RemainingMs(CountdownMode::After, 0, 10 * H, 10 * H + 400)),
             QStringLiteral("23:59:59"));
  }

  void atMode() {
    QCOMPARE(RemainingMs(CountdownMode::At, 8 * H, 0, 14 * H), 18 * H); // a past target means tomorrow
    QCOMPARE(FormatTime(RemainingMs(CountdownMode::At, 8 * H, 0, 7 * H + 59 * M + 59 * S + 1)),
             QStringLiteral("00:00:00"));
    QCOMPARE(FormatTime(RemainingMs(CountdownMode::At, 8 * H, 0, 8 * H + S)), QStringLiteral("23:59:59"));
    QCOMPARE(RemainingMs(CountdownMode::At, 2 * M, 0, 23 * H + 58 * M), 4 * M); // across midnight
  }

  void crossingZeroBetweenTicks() {
    QVERIFY(CrossedZero(1'200, kDayMs - 300));    // 00:00:01 then 23:59:59: the final second was missed
    QVERIFY(CrossedZero(5 * M, kDayMs - 55 * M)); // an hour's gap still counts
    QVERIFY(!CrossedZero(1'600, 1'200));          // counting down normally
    QVERIFY(!CrossedZero(-1, kDayMs - 300));      // no earlier reading
    QVERIFY(!CrossedZero(10 * H, 11 * H));        // clock set back by an hour, far from zero
    QVERIFY(!CrossedZero(30 * S, 30 * S + H));    // clock set back near zero: not through zero
  }

  // Only awake time may end a countdown whose final second had no tick: the wall clock must have
  // moved as far as the monotonic clock, across midnight too.
  void missedSecondNeedsAwakeTime() {
    const TickReading before{1'200, CountdownMode::After, M, 10 * H, 5'000};
    auto after = [&](int wallMs, qint64 monotonicMs) {
      return TickReading{ModuloDay(1'200LL - wallMs), CountdownMode::After, M, 10 * H + wallMs,
                         5'000 + monotonicMs};
    };
    QVERIFY(MissedFinalSecond(before, after(1'700, 1'700)));       // busy for 1.7 s
    QVERIFY(MissedFinalSecond(before, after(10 * S, 10 * S)));     // stalled for ten seconds
    QVERIFY(MissedFinalSecond(before, after(2 * S, 2 * S - 800))); // the two clocks read a little apart
    QVERIFY(!MissedFinalSecond(before, after(5 * M, 400)));        // asleep for five minutes
    QVERIFY(!MissedFinalSecond(before, after(3 * S, 400)));        // clock set forward by hand
    QVERIFY(!MissedFinalSecond(before, after(400, 400)));          // counting down normally
    TickReading otherTarget = after(1'700, 1'700);
    otherTarget.pickerMs = 0;
    QVERIFY(!MissedFinalSecond(before, otherTarget));
    QVERIFY(!MissedFinalSecond(TickReading{}, after(1'700, 1'700))); // no earlier tick

    const TickReading lateEvening{2 * S, CountdownMode::At, 0, kDayMs - 2 * S, 0};
    QVERIFY(AwakeBetween(lateEvening, TickReading{kDayMs - 1'000, CountdownMode::At, 0, 1'000, 3'000}));
    QVERIFY(!AwakeBetween(lateEvening, TickReading{kDayMs - 1'000, CountdownMode::At, 0, 1'000, 30'000}));
    QVERIFY(!AwakeBetween(TickReading{0, CountdownMode::At, 0, 10 * H, 0},
                          TickReading{0, CountdownMode::At, 0, 9 * H, 400})); // clock set back an hour
  }

  void powerGroupIsRadioThatAllowsNone() {
    ActionSelection s;
    s.PlaySoundSelected = true;
    QVERIFY(TogglePowerAction(s, PowerAction::ShutDown).isEmpty());
    QVERIFY(s.ShutDownSelected);
    QCOMPARE(TogglePowerAction(s, PowerAction::Restart), QList<PowerAction>{PowerAction::ShutDown});
    QVERIFY(s.RestartSelected && !s.ShutDownSelected);
    QVERIFY(TogglePowerAction(s, PowerAction::Restart).isEmpty());
    QVERIFY(!s.AnyPowerSelected());
    QVERIFY(s.PlaySoundSelected);
    QVERIFY(s.AnySelected());
    s.PlaySoundSelected = false;
    QVERIFY(!s.AnySelected());
  }

  void wordsAndRequests() {
    QCOMPARE(ActionForWord(QStringLiteral("shutdown")), std::optional(PowerAction::ShutDown));
    QCOMPARE(ActionForWord(QStringLiteral("hibernate")), std::optional(PowerAction::Hibernate));
    QVERIFY(!ActionForWord(QStringLiteral("Shutdown")));
    QVERIFY(!ActionForWord(QStringLiteral("reboot")));
    QVERIFY(!ActionForWord(QString()));

    QCOMPARE(RequestFor(PowerAction::ShutDown, false).exitFlags, 9u);
    QCOMPARE(RequestFor(PowerAction::ShutDown, true).exitFlags, 13u);
    QCOMPARE(RequestFor(PowerAction::Restart, false).exitFlags, 2u);
    QCOMPARE(RequestFor(PowerAction::Restart, true).exitFlags, 6u);
    QCOMPARE(RequestFor(PowerAction::LogOff, false).exitFlags, 0u);
    QCOMPARE(RequestFor(PowerAction::LogOff, true).exitFlags, 4u);
    const PowerRequest standby = RequestFor(PowerAction::StandBy, true);
    QVERIFY(standby.kind == PowerRequest::Kind::PowerState && standby.suspend && standby.force);
    const PowerRequest hibernate = RequestFor(PowerAction::Hibernate, false);
    QVERIFY(hibernate.kind == PowerRequest::Kind::PowerState && !hibernate.suspend && !hibernate.force);

    ActionSelection s;
    QVERIFY(!SelectedPowerAction(s));
    s.StandBySelected = true;
    QCOMPARE(SelectedPowerAction(s), std::optional(PowerAction::StandBy));
  }

  // The system clock keeps the zone's offset instead of asking for it at each reading; it must
  // still read what the C library's local time reads, east and west of UTC and off the whole hour.
  void systemClockReadsTheLocalZone() {
    const QByteArray before = qgetenv("TZ");
    for (const char* zone : {"UTC0", "XST-5:45", "YST9:30", "ZST-14"}) {
      qputenv("TZ", zone);
      tzset();
      const SystemClock clock;
      const int expected = QTime::currentTime().msecsSinceStartOfDay();
      const int gap = std::abs(clock.TimeOfDayMs() - expected);
      QVERIFY2(std::min(gap, kDayMs - gap) < 1000, zone);
    }
    before.isNull() ? qunsetenv("TZ") : qputenv("TZ", before);
    tzset();
  }
};

QTEST_GUILESS_MAIN(TestCountdown)
#include "test_countdown.moc"
