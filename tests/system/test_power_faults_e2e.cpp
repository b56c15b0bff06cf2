// The real program where the power requests cannot succeed: no system bus at all, a logind that
// refuses every request as polkit does for a user who may not, and a logind that goes away while
// the program waits for the computer to wake up. Nothing crashes or hangs, the steps after the
// power action still run, and a command-line action still ends the program.
#include "tests/support/accessibility.h"
#include "tests/support/dbus_mock.h"
#include "tests/support/test_support.h"
#include "tests/support/zarvo_process.h"

#include <QDBusConnection>
#include <QElapsedTimer>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

using namespace zarvo::test;

namespace {

const QSize kBoxSize(200, 140);
const QString kNoBus = QStringLiteral("unix:path=/nonexistent/zarvo-no-system-bus");

// A countdown of two seconds that asks for `power` and then shows a message.
QStringList Countdown(const QString& power) {
  return {QStringLiteral("--after"), QStringLiteral("2s"), power, QStringLiteral("--message=Time is up")};
}

// Waits for the message window of the expiry; true when it is on the screen.
bool MessageShown(int timeoutMs) {
  return WaitUntil([] { return FindWindow(QStringLiteral("Zarvo - Message"), kBoxSize).has_value(); },
                   timeoutMs, 100); // each look starts xwininfo
}

// The power requests logind received (the countdown's idle inhibitor talks to it too).
QStringList PowerCalls(const MockLogind& logind) {
  QStringList calls;
  for (const QString& c : logind.ManagerCalls())
    for (const char* method : {"PowerOff", "Reboot", "Suspend", "Hibernate", "GetCalls"})
      if (c.startsWith(QLatin1String(method)))
        calls << c;
  return calls;
}

// logind's answer when polkit does not let this user do it, for every request.
QString Refusal(const QString& errorName) {
  return QStringLiteral("raise dbus.exceptions.DBusException('Not authorized', name='%1')").arg(errorName);
}

// A logind whose stand-by takes `seconds` to answer, as while polkit asks for a password; it then
// announces the sleep. The mock answers nothing else meanwhile, so the test does not ask it either.
bool SlowStandBy(const MockLogind& logind, int seconds) {
  return logind.AddMethod(QString::fromLatin1(MockLogind::kPath), QString::fromLatin1(MockLogind::kManager),
                          QStringLiteral("Suspend"), QStringLiteral("b"), QString(),
                          QStringLiteral("__import__('time').sleep(%1); self.EmitSignal('%2', "
                                         "'PrepareForSleep', 'b', [True])")
                              .arg(seconds)
                              .arg(QString::fromLatin1(MockLogind::kManager)));
}

// What a screen reader reads of the main window: the clock (the first time of day it finds) and
// whether Start now starts or stops a countdown. (The stopwatch window has a "Stop counting" of its
// own.)
QStringList MainWindowNames() {
  const QString zarvo = QStringLiteral("Zarvo");
  return AccessibleNames(zarvo, false, zarvo);
}
QString Clock() {
  static const QRegularExpression time(QStringLiteral("^\\d\\d:\\d\\d:\\d\\d$"));
  for (const QString& name : MainWindowNames())
    if (time.match(name).hasMatch())
      return name;
  return {};
}
bool Counting() { return MainWindowNames().contains(QStringLiteral("Stop counting")); }

// A program readable by a screen reader counts two seconds to a stand-by, then a program to run and
// a message; logind takes 30 s to answer the stand-by. True once the countdown has expired and the
// request is on its way.
bool ExpireIntoASlowStandBy(MockLogind& logind, ZarvoProcess& zarvo, const QString& ranFile) {
  if (!logind.Start() || !SlowStandBy(logind, 30))
    return false;
  zarvo.Environment().insert(QStringLiteral("QT_LINUX_ACCESSIBILITY_ALWAYS_ON"), QStringLiteral("1"));
  return zarvo.Start({QStringLiteral("--after"), QStringLiteral("2s"), QStringLiteral("--standby"),
                      QStringLiteral("--run"), QStringLiteral("touch ") + ranFile,
                      QStringLiteral("--message=Time is up")}) &&
         zarvo.WaitForWindows(ZarvoProcess::Group, 30000) && WaitUntil(Counting, 20000) &&
         WaitUntil([] { return !Counting(); }, 20000);
}

} // namespace

class TestPowerFaults : public QObject {
  Q_OBJECT
private slots:
  void initTestCase() {
    QVERIFY2(QDBusConnection::systemBus().isConnected(), "run under tests/support/with-dbus");
  }

  // No system bus: the program starts, a countdown's power step does nothing and the message
  // follows at once; a command-line action ends at once, also a stand-by that cannot wait for a
  // wake-up.
  void noSystemBusAtAll() {
    ZarvoProcess zarvo;
    QVERIFY(zarvo.IsValid());
    zarvo.Environment().insert(QStringLiteral("DBUS_SYSTEM_BUS_ADDRESS"), kNoBus);
    QVERIFY(zarvo.Start(Countdown(QStringLiteral("--standby"))));
    QVERIFY(zarvo.WaitForWindows(ZarvoProcess::Group, 30000));
    QVERIFY(MessageShown(30000));
    QVERIFY(zarvo.IsRunning());
    QVERIFY(zarvo.Terminate());

    // A request that cannot reach the system is a failure, said on standard error, status 1.
    for (const QString& word : {QStringLiteral("shutdown"), QStringLiteral("standby")}) {
      ZarvoProcess once;
      once.Environment().insert(QStringLiteral("DBUS_SYSTEM_BUS_ADDRESS"), kNoBus);
      QVERIFY(once.WriteSettings("[Form1]\nShowconfirmation1=0\n"));
      QElapsedTimer t;
      t.start();
      once.Process().setProcessChannelMode(QProcess::ForwardedOutputChannel);
      QVERIFY(once.Start({word}));
      QVERIFY2(once.Process().waitForFinished(30000), qPrintable(word));
      QCOMPARE(once.Process().exitStatus(), QProcess::NormalExit);
      QCOMPARE(once.Process().exitCode(), 1);
      QVERIFY(QString::fromLocal8Bit(once.Process().readAllStandardError())
                  .contains(word + QStringLiteral(" was refused")));
      QVERIFY2(t.elapsed() < 20000, qPrintable(QString::number(t.elapsed())));
    }
  }

  void logindRefusesEverything_data() {
    QTest::addColumn<QString>("errorName");
    QTest::newRow("polkit: not authorized")
        << QStringLiteral("org.freedesktop.PolicyKit1.Error.NotAuthorized");
    QTest::newRow("access denied") << QStringLiteral("org.freedesktop.DBus.Error.AccessDenied");
    QTest::newRow("needs a password")
        << QStringLiteral("org.freedesktop.DBus.Error.InteractiveAuthorizationRequired");
  }

  // Each request is made once (a refusal is no reason to try the plain request after the forced
  // one), the steps after it run, and the program goes on.
  void logindRefusesEverything() {
    QFETCH(QString, errorName);
    MockLogind logind;
    QVERIFY(logind.Start());
    const QString path = QString::fromLatin1(MockLogind::kPath);
    const QString manager = QString::fromLatin1(MockLogind::kManager);
    for (const char* method : {"PowerOff", "Reboot", "Suspend", "Hibernate"}) {
      QVERIFY(logind.AddMethod(path, manager, QLatin1String(method), QStringLiteral("b"), QString(),
                               Refusal(errorName)));
      QVERIFY(logind.AddMethod(path, manager, QLatin1String(method) + QStringLiteral("WithFlags"),
                               QStringLiteral("t"), QString(), Refusal(errorName)));
    }

    // Force Shut Down is on by default: the forced stand-by is asked for, refused, and not asked
    // again; the message comes at once instead of after a wait for a sleep.
    ZarvoProcess zarvo;
    QVERIFY(zarvo.IsValid());
    QVERIFY(zarvo.Start(Countdown(QStringLiteral("--standby"))));
    QVERIFY(zarvo.WaitForWindows(ZarvoProcess::Group, 30000));
    QVERIFY(MessageShown(30000));
    QCOMPARE(PowerCalls(logind), QStringList{QStringLiteral("SuspendWithFlags(16)")});
    QVERIFY(zarvo.IsRunning());
    QVERIFY(zarvo.Terminate());

    // From the command line, unforced: asked once each, and the program ends with status 1.
    for (const auto& [word, call] :
         {std::pair{QStringLiteral("shutdown"), QStringLiteral("PowerOff(true)")},
          std::pair{QStringLiteral("hibernate"), QStringLiteral("Hibernate(true)")}}) {
      QVERIFY(logind.ClearManagerCalls());
      ZarvoProcess once;
      QVERIFY(once.WriteSettings("[Form1]\nShowconfirmation1=0\n"));
      QVERIFY(once.Start({word}));
      QVERIFY2(once.Process().waitForFinished(30000), qPrintable(word));
      QCOMPARE(once.Process().exitStatus(), QProcess::NormalExit);
      QCOMPARE(once.Process().exitCode(), 1);
      QCOMPARE(PowerCalls(logind), QStringList{call});
    }
  }

  // logind announces the sleep, then disappears: no wake-up can ever be reported. The program
  // stops waiting for one, and the steps after the stand-by run.
  void logindGoesAwayDuringStandBy() {
    {
      MockLogind logind;
      QVERIFY(logind.Start());
      QVERIFY(logind.AnnounceSleeps());
      ZarvoProcess zarvo;
      QVERIFY(zarvo.IsValid());
      QVERIFY(zarvo.Start(Countdown(QStringLiteral("--standby"))));
      QVERIFY(zarvo.WaitForWindows(ZarvoProcess::Group, 30000));
      // (This mock has no ...WithFlags methods: the forced request falls back to the plain one.)
      QTRY_COMPARE_WITH_TIMEOUT(PowerCalls(logind), QStringList{QStringLiteral("Suspend(true)")}, 30000);
      // Asleep as far as the program knows: the message waits for the wake-up.
      QVERIFY(ExpectNothingFor(
          500, [] { return FindWindow(QStringLiteral("Zarvo - Message"), kBoxSize).has_value(); }));
      logind.Kill();
      QVERIFY(MessageShown(30000));
      QVERIFY(zarvo.IsRunning());
      QVERIFY(zarvo.Terminate());
    }
    {
      MockLogind logind;
      QVERIFY(logind.Start());
      QVERIFY(logind.AnnounceSleeps());
      ZarvoProcess once;
      QVERIFY(once.WriteSettings("[Form1]\nShowconfirmation1=0\n"));
      QVERIFY(once.Start({QStringLiteral("standby")}));
      QTRY_COMPARE_WITH_TIMEOUT(PowerCalls(logind), QStringList{QStringLiteral("Suspend(true)")}, 30000);
      QVERIFY(ExpectNothingFor(500, [&] { return !once.IsRunning(); })); // waiting for the wake-up
      logind.Kill();
      QVERIFY(once.Process().waitForFinished(30000));
      QCOMPARE(once.Process().exitStatus(), QProcess::NormalExit);
      QCOMPARE(once.Process().exitCode(), 0);
    }
  }

  // logind takes 30 s to answer the stand-by at expiry: the clock goes on meanwhile (read as a
  // screen reader reads it), and the program and message steps follow the wake-up.
  void slowStandByKeepsTheClockGoing() {
    MockLogind logind;
    QTemporaryDir scratch;
    const QString ran = scratch.filePath(QStringLiteral("ran"));
    ZarvoProcess zarvo;
    QVERIFY(ExpireIntoASlowStandBy(logind, zarvo, ran));
    const QString before = Clock();
    QVERIFY(!before.isEmpty());
    QTRY_VERIFY_WITH_TIMEOUT(Clock() != before, 5000);
    const QString later = Clock();
    QTRY_VERIFY_WITH_TIMEOUT(Clock() != later, 5000);
    QVERIFY(!QFile::exists(ran));
    QVERIFY(!FindWindow(QStringLiteral("Zarvo - Message"), kBoxSize));
    // The mock answers once its 30 s are over; the wake-up is queued behind that answer.
    QVERIFY(logind.EmitPrepareForSleep(false));
    QVERIFY(MessageShown(60000));
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(ran), 10000);
    QVERIFY(zarvo.Terminate());
  }

  // The user quits while the stand-by's answer is still awaited: the program ends at once and
  // carries out none of the steps that were waiting.
  void exitWhileAStandByIsAwaited() {
    MockLogind logind;
    QTemporaryDir scratch;
    const QString ran = scratch.filePath(QStringLiteral("ran"));
    ZarvoProcess zarvo;
    QVERIFY(ExpireIntoASlowStandBy(logind, zarvo, ran));
    const std::optional<ZarvoWindows> windows = FindZarvoWindows();
    QVERIFY(windows && windows->main);
    QElapsedTimer t;
    t.start();
    QVERIFY(ClickAt(windows->main->topLeft() + QPoint(179, 9))); // the close button
    QVERIFY(zarvo.Process().waitForFinished(10000));
    QVERIFY2(t.elapsed() < 5000, qPrintable(QString::number(t.elapsed())));
    QCOMPARE(zarvo.Process().exitCode(), 0);
    QVERIFY(!QFile::exists(ran));
  }
};

QTEST_GUILESS_MAIN(TestPowerFaults)
#include "test_power_faults_e2e.moc"
