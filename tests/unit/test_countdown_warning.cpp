// When the warnings before a power action fall due, and their words.
#include "main/countdown_warning.h"

#include <QTest>

using namespace zarvo;

namespace {

// Runs a countdown of `startMs` in 400 ms ticks down to its last second and lists every warning due
// as "seconds@reading".
QStringList Warnings(int startMs, int tickMs = 400) {
  WarningSchedule schedule;
  schedule.Start(startMs);
  QStringList due;
  for (int remaining = startMs - tickMs; remaining >= 1000; remaining -= tickMs)
    if (const int s = schedule.Due(remaining))
      due << QStringLiteral("%1@%2").arg(s).arg(remaining);
  return due;
}

} // namespace

class TestCountdownWarning : public QObject {
  Q_OBJECT
private slots:
  void longCountdownWarnsAtTheFirstReadingOfSixtyAndOfTenSeconds() {
    // 00:02:00 in 400 ms ticks: 60 999 .. 60 000 shows 00:01:00; the first such reading is 60 800.
    QCOMPARE(Warnings(120'000), (QStringList{QStringLiteral("60@60800"), QStringLiteral("10@10800")}));
    // Ticks that fall on other milliseconds.
    QCOMPARE(Warnings(90'150), (QStringList{QStringLiteral("60@60950"), QStringLiteral("10@10950")}));
  }

  void shortCountdownsSkipTheWarningsTheyStartBelow() {
    // A minute exactly still gets the minute's warning, at the first tick.
    QCOMPARE(Warnings(60'000), (QStringList{QStringLiteral("60@59600"), QStringLiteral("10@10800")}));
    QCOMPARE(Warnings(59'999), QStringList{QStringLiteral("10@10799")});
    QCOMPARE(Warnings(30'000), QStringList{QStringLiteral("10@10800")});
    QCOMPARE(Warnings(10'000), QStringList{QStringLiteral("10@9600")});
    QVERIFY(Warnings(9'999).isEmpty());
    QVERIFY(Warnings(2'000).isEmpty());
  }

  void eachWarningOnlyOncePerDescent() {
    WarningSchedule s;
    s.Start(120'000);
    QCOMPARE(s.Due(60'500), 60);
    QCOMPARE(s.Due(60'100), 0);
    QCOMPARE(s.Due(59'000), 0);
    QCOMPARE(s.Due(10'999), 10);
    QCOMPARE(s.Due(10'000), 0);
    QCOMPARE(s.Due(5'000), 0);
  }

  void postponedCountdownWarnsAgain() {
    WarningSchedule s;
    s.Start(120'000);
    QCOMPARE(s.Due(60'500), 60);
    QCOMPARE(s.Due(10'500), 10);
    // Ten more minutes: both warnings come again on the way down.
    QCOMPARE(s.Due(610'100), 0);
    QCOMPARE(s.Due(60'700), 60);
    QCOMPARE(s.Due(10'300), 10);
    // A postponement between the two warnings brings back only what the reading climbed above.
    s.Start(120'000);
    QCOMPARE(s.Due(60'500), 60);
    QCOMPARE(s.Due(30'000), 0);
    QCOMPARE(s.Due(40'000), 0);
    QCOMPARE(s.Due(10'200), 10);
  }

  void aJumpPastBothGivesOnlyTheLast() {
    WarningSchedule s;
    s.Start(300'000);
    QCOMPARE(s.Due(299'600), 0);
    // The machine was busy (or the picker was changed) from 5 minutes straight to 8 seconds.
    QCOMPARE(s.Due(8'000), 10);
    QCOMPARE(s.Due(7'600), 0);
  }

  void aRestartForgetsThePreviousCountdown() {
    WarningSchedule s;
    s.Start(120'000);
    QCOMPARE(s.Due(60'500), 60);
    s.Start(30'000);
    QCOMPARE(s.Due(29'600), 0);
    QCOMPARE(s.Due(10'500), 10);
    // A zero "After" duration reads just under a day: it warns a day later.
    s.Start(0);
    QCOMPARE(s.Due(86'399'600), 0);
    QCOMPARE(s.Due(60'900), 60);
  }

  void wordsOfEachAction() {
    QCOMPARE(WarningText(PowerAction::ShutDown, 60),
             QStringLiteral("The computer will shut down in 60 seconds"));
    QCOMPARE(WarningText(PowerAction::Restart, 10),
             QStringLiteral("The computer will restart in 10 seconds"));
    QCOMPARE(WarningText(PowerAction::LogOff, 60), QStringLiteral("You will be logged off in 60 seconds"));
    QCOMPARE(WarningText(PowerAction::StandBy, 60),
             QStringLiteral("The computer will suspend in 60 seconds"));
    QCOMPARE(WarningText(PowerAction::Hibernate, 10),
             QStringLiteral("The computer will hibernate in 10 seconds"));
  }
};

QTEST_APPLESS_MAIN(TestCountdownWarning)
#include "test_countdown_warning.moc"
