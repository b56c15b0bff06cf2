// The stopwatch's arithmetic: elapsed hundredths from tick counts and the H:M:S:C text.
#include "counter/stopwatch.h"

#include <QTest>

using namespace zarvo;

class TestStopwatch : public QObject {
  Q_OBJECT
private slots:
  void hundredthsAreTruncatedAndNeverNegative() {
    const qint64 start = 4'000'000'000; // past the 32-bit range a tick count once had
    QCOMPARE(CounterHundredths(start + 9, start, 0), 0);
    QCOMPARE(CounterHundredths(start + 10, start, 0), 1);
    QCOMPARE(CounterHundredths(start + 1'234'567, start, 0), 123'456);
    // Paused time is taken off; more paused than elapsed (cannot happen, but no minus sign).
    QCOMPARE(CounterHundredths(start + 10'000, start, 3'000), 700);
    QCOMPARE(CounterHundredths(start + 10, start, 500), 0);
    QCOMPARE(CounterHundredths(start - 50, start, 0), 0);
  }

  void ticksComeEveryTenMillisecondsFromTheStart() {
    const qint64 start = 4'000'000'007;
    QCOMPARE(LastCounterTick(start, start), start); // none yet
    QCOMPARE(LastCounterTick(start + 9, start), start);
    QCOMPARE(LastCounterTick(start + 10, start), start + 10);
    QCOMPARE(LastCounterTick(start + 1'234'567, start), start + 1'234'560);
    QCOMPARE(LastCounterTick(start - 50, start), start); // a clock behind the start: no tick
  }

  void pausedTotalAddsTheRunningPause() {
    QCOMPARE(CounterPausedTotal(10'000, 0, 7'000), 3'000);
    QCOMPARE(CounterPausedTotal(20'000, 3'000, 19'250), 3'750);
  }

  void formatPadsEachFieldAndLetsHoursGrow() {
    QCOMPARE(FormatCounter(0), QStringLiteral("00:00:00:00"));
    QCOMPARE(FormatCounter(1), QStringLiteral("00:00:00:01"));
    QCOMPARE(FormatCounter(123'456), QStringLiteral("00:20:34:56"));
    QCOMPARE(FormatCounter(99), QStringLiteral("00:00:00:99"));
    QCOMPARE(FormatCounter(100), QStringLiteral("00:00:01:00"));
    QCOMPARE(FormatCounter(6'000), QStringLiteral("00:01:00:00"));
    QCOMPARE(FormatCounter(360'000), QStringLiteral("01:00:00:00"));
    // Past a day the hours go on: no wrap at 24.
    QCOMPARE(FormatCounter(25 * 360'000 + 5), QStringLiteral("25:00:00:05"));
    QCOMPARE(FormatCounter(35'999'999), QStringLiteral("99:59:59:99"));
    QCOMPARE(FormatCounter(36'000'000), QStringLiteral("100:00:00:00"));
    QCOMPARE(FormatCounter(1234 * 360'000LL + 6'101), QStringLiteral("1234:01:01:01"));
    QCOMPARE(FormatCounter(-7), QStringLiteral("00:00:00:00"));
  }

  void millisecondsToTextAtTheEdges() {
    // 359 999 999 ms and 360 000 000 ms of counting.
    QCOMPARE(FormatCounter(CounterHundredths(359'999'999, 0, 0)), QStringLiteral("99:59:59:99"));
    QCOMPARE(FormatCounter(CounterHundredths(360'000'000, 0, 0)), QStringLiteral("100:00:00:00"));
  }
};

QTEST_APPLESS_MAIN(TestStopwatch)
#include "test_stopwatch.moc"
