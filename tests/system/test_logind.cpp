// The Linux power back end against a mock logind (and mock session managers) on a private bus:
// the requests and arguments that arrive, the fallbacks, and the wait across a sleep.
#include "platform/linux/logind_power.h"
#include "tests/support/dbus_mock.h"
#include "tests/support/test_support.h"

#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusVariant>
#include <QElapsedTimer>
#include <QProcess>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <memory>
#include <optional>

using namespace zarvo;
using test::DBusMock;
using test::MockLogind;

namespace {

const QString LogindPath = QStringLiteral("/org/freedesktop/login1");
const QString ManagerInterface = QStringLiteral("org.freedesktop.login1.Manager");

// Starts a request and runs the event loop until it is answered (or `timeoutMs` passes).
std::optional<PowerAnswer> AwaitAnswer(const std::function<void(PowerAnswered)>& request,
                                       int timeoutMs = 10000) {
  auto answer = std::make_shared<std::optional<PowerAnswer>>();
  request([answer](const PowerAnswer& a) { *answer = a; });
  (void)QTest::qWaitFor([&] { return answer->has_value(); }, timeoutMs);
  return *answer;
}

// What a ...WithFlags method of the mock does.
enum class WithFlags { Missing, Accepted, RejectsFlag, Refused };

} // namespace

Q_DECLARE_METATYPE(WithFlags)

class TestLogind : public QObject {
  Q_OBJECT

private slots:
  void initTestCase();
  void init();
  void cleanup();

  void shutDownAndRestart_data();
  void shutDownAndRestart();
  void standByAndHibernate_data();
  void standByAndHibernate();
  void sleepRequestThatEndsEarly_data();
  void sleepRequestThatEndsEarly();
  void prepareForSleepBecomesBroadcast();
  void logOffThroughSessionManager_data();
  void logOffThroughSessionManager();
  void logOffWhenSessionManagerAnswersError_data();
  void logOffWhenSessionManagerAnswersError();
  void logOffThroughLogind_data();
  void logOffThroughLogind();
  void sessionIdFromObjectPath();
  void whatTheSystemAllows_data();
  void whatTheSystemAllows();
  void logOffAllowedThroughASessionManager();

private:
  void AddWithFlags(const QString& method, WithFlags mode, bool sleeps);
  QStringList ManagerCalls() const { return logind_->ManagerCalls(); }

  QDBusConnection system_ = QDBusConnection::systemBus();
  std::unique_ptr<MockLogind> logind_;
  std::unique_ptr<DBusMock> sessionManager_;
  std::unique_ptr<LogindPower> power_;
  QByteArray savedSessionId_;
};

void TestLogind::initTestCase() {
  QVERIFY2(system_.isConnected(), "run under tests/support/with-dbus");
  QVERIFY2(QDBusConnection::sessionBus().isConnected(), "run under tests/support/with-dbus");
  QProcess probe;
  probe.start(test::SystemPython(), {QStringLiteral("-c"), QStringLiteral("import dbusmock")});
  QVERIFY(probe.waitForFinished(20000));
  QVERIFY2(probe.exitCode() == 0, "python3-dbusmock is missing (scripts/setup installs it)");
  savedSessionId_ = qgetenv("XDG_SESSION_ID");
}

void TestLogind::init() {
  logind_ = std::make_unique<MockLogind>();
  QVERIFY(logind_->Start());
  // Like logind, announce the sleep before answering.
  QVERIFY(logind_->AnnounceSleeps());
  qunsetenv("XDG_SESSION_ID");
}

void TestLogind::cleanup() {
  power_.reset(); // waits for requests still on their way
  sessionManager_.reset();
  logind_.reset();
  if (savedSessionId_.isNull())
    qunsetenv("XDG_SESSION_ID");
  else
    qputenv("XDG_SESSION_ID", savedSessionId_);
}

void TestLogind::AddWithFlags(const QString& method, WithFlags mode, bool sleeps) {
  QString code;
  switch (mode) {
  case WithFlags::Missing: return;
  case WithFlags::Accepted:
    if (sleeps)
      code = QStringLiteral("self.EmitSignal('%1', 'PrepareForSleep', 'b', [True])").arg(ManagerInterface);
    break;
  case WithFlags::RejectsFlag: // logind 248 to 256 on the skip-inhibitors flag
    code = QStringLiteral("raise dbus.exceptions.DBusException('Invalid flags parameter', "
                          "name='org.freedesktop.DBus.Error.InvalidArgs')");
    break;
  case WithFlags::Refused:
    code = QStringLiteral("raise dbus.exceptions.DBusException('Not allowed', "
                          "name='org.freedesktop.DBus.Error.AccessDenied')");
    break;
  }
  QVERIFY(logind_->AddMethod(LogindPath, ManagerInterface, method + QStringLiteral("WithFlags"),
                             QStringLiteral("t"), QString(), code));
}

void TestLogind::shutDownAndRestart_data() {
  QTest::addColumn<unsigned>("flags");
  QTest::addColumn<WithFlags>("withFlags");
  QTest::addColumn<QStringList>("expected");

  const QStringList powerOff{QStringLiteral("PowerOff(true)")};
  const QStringList reboot{QStringLiteral("Reboot(true)")};
  QTest::newRow("shut down") << 9u << WithFlags::Accepted << powerOff;
  QTest::newRow("shut down forced") << 13u << WithFlags::Accepted << QStringList{"PowerOffWithFlags(16)"};
  QTest::newRow("shut down forced, logind without ...WithFlags") << 13u << WithFlags::Missing << powerOff;
  QTest::newRow("shut down forced, logind without the flag")
      << 13u << WithFlags::RejectsFlag << QStringList{"PowerOffWithFlags(16)", "PowerOff(true)"};
  QTest::newRow("shut down forced, refused: no second try")
      << 13u << WithFlags::Refused << QStringList{"PowerOffWithFlags(16)"};
  QTest::newRow("restart") << 2u << WithFlags::Accepted << reboot;
  QTest::newRow("restart forced") << 6u << WithFlags::Accepted << QStringList{"RebootWithFlags(16)"};
  QTest::newRow("restart forced, logind without ...WithFlags") << 6u << WithFlags::Missing << reboot;
  QTest::newRow("restart forced, logind without the flag")
      << 6u << WithFlags::RejectsFlag << QStringList{"RebootWithFlags(16)", "Reboot(true)"};
}

// The requests and their fallbacks, and the answer the caller hears.
void TestLogind::shutDownAndRestart() {
  QFETCH(unsigned, flags);
  QFETCH(WithFlags, withFlags);
  QFETCH(QStringList, expected);
  AddWithFlags(QStringLiteral("PowerOff"), withFlags, false);
  AddWithFlags(QStringLiteral("Reboot"), withFlags, false);
  logind_->Control(LogindPath, QStringLiteral("ClearCalls"), {});

  power_ = std::make_unique<LogindPower>();
  const auto answer = AwaitAnswer([&](PowerAnswered done) { power_->ExitWindows(flags, done); });
  QVERIFY(answer);
  QCOMPARE(answer->accepted, withFlags != WithFlags::Refused);
  QCOMPARE(answer->reason.isEmpty(), answer->accepted);
  QCOMPARE(ManagerCalls(), expected);
}

void TestLogind::standByAndHibernate_data() {
  QTest::addColumn<bool>("suspend");
  QTest::addColumn<bool>("force");
  QTest::addColumn<WithFlags>("withFlags");
  QTest::addColumn<QStringList>("expected");

  QTest::newRow("stand-by") << true << false << WithFlags::Accepted << QStringList{"Suspend(true)"};
  QTest::newRow("stand-by forced") << true << true << WithFlags::Accepted
                                   << QStringList{"SuspendWithFlags(16)"};
  QTest::newRow("stand-by forced, logind without ...WithFlags")
      << true << true << WithFlags::Missing << QStringList{"Suspend(true)"};
  QTest::newRow("hibernate") << false << false << WithFlags::Accepted << QStringList{"Hibernate(true)"};
  QTest::newRow("hibernate forced") << false << true << WithFlags::Accepted
                                    << QStringList{"HibernateWithFlags(16)"};
  QTest::newRow("hibernate forced, logind without the flag")
      << false << true << WithFlags::RejectsFlag << QStringList{"HibernateWithFlags(16)", "Hibernate(true)"};
}

// Returns at once; the answer comes after the resume, and the resume broadcast after the answer.
void TestLogind::standByAndHibernate() {
  QFETCH(bool, suspend);
  QFETCH(bool, force);
  QFETCH(WithFlags, withFlags);
  QFETCH(QStringList, expected);
  AddWithFlags(QStringLiteral("Suspend"), withFlags, true);
  AddWithFlags(QStringLiteral("Hibernate"), withFlags, true);
  logind_->Control(LogindPath, QStringLiteral("ClearCalls"), {});

  power_ = std::make_unique<LogindPower>();
  QSignalSpy broadcasts(power_.get(), &LogindPower::PowerBroadcast);
  // The resume comes from a timer, which can only fire while the wait keeps the loop running.
  bool resumed = false;
  QTimer resume;
  resume.setSingleShot(true);
  resume.setTimerType(Qt::PreciseTimer);
  connect(&resume, &QTimer::timeout, [&] {
    resumed = true;
    logind_->EmitBool(LogindPath, ManagerInterface, QStringLiteral("PrepareForSleep"), false);
  });
  resume.start(400);

  QElapsedTimer elapsed;
  elapsed.start();
  const auto answer = AwaitAnswer([&](PowerAnswered done) {
    power_->SetSystemPowerState(suspend, force, done);
    QVERIFY(elapsed.elapsed() < 400); // no wait inside the request
  });

  QVERIFY(answer && answer->accepted);
  QVERIFY(resumed);
  QVERIFY(elapsed.elapsed() >= 400);
  QCOMPARE(ManagerCalls(), expected);
  QCOMPARE(broadcasts.count(), 1);
  QCOMPARE(broadcasts.at(0), (QVariantList{PowerEvent::Suspend, qint64(0)}));
  QTRY_COMPARE(broadcasts.count(), 2);
  QCOMPARE(broadcasts.at(1), (QVariantList{PowerEvent::ResumeSuspend, qint64(0)}));
}

void TestLogind::sleepRequestThatEndsEarly_data() {
  QTest::addColumn<QString>("code");
  QTest::addColumn<bool>("killLogind");
  QTest::addColumn<int>("minMs");
  QTest::addColumn<int>("maxMs");

  // The wait gives up 1500 ms after an accepted request that no sleep follows.
  QTest::newRow("refused: at once") << QStringLiteral(
                                           "raise dbus.exceptions.DBusException('Operation inhibited', "
                                           "name='org.freedesktop.login1.BlockedByInhibitorLock')")
                                    << false << 0 << 1000;
  QTest::newRow("accepted, sleep never starts") << QString() << false << 1400 << 4000;
  QTest::newRow("logind goes away while asleep")
      << QStringLiteral("self.EmitSignal('%1', 'PrepareForSleep', 'b', [True])").arg(ManagerInterface) << true
      << 300 << 1400;
}

void TestLogind::sleepRequestThatEndsEarly() {
  QFETCH(QString, code);
  QFETCH(bool, killLogind);
  QFETCH(int, minMs);
  QFETCH(int, maxMs);
  QVERIFY(logind_->AddMethod(LogindPath, ManagerInterface, QStringLiteral("Suspend"), QStringLiteral("b"),
                             QString(), code));

  power_ = std::make_unique<LogindPower>();
  power_->SetSleepStartTimeout(1500);
  QSignalSpy broadcasts(power_.get(), &LogindPower::PowerBroadcast);
  QTimer kill;
  kill.setSingleShot(true);
  kill.setTimerType(Qt::PreciseTimer);
  connect(&kill, &QTimer::timeout, [&] { logind_->Kill(); });
  if (killLogind)
    kill.start(300);
  QElapsedTimer elapsed;
  elapsed.start();
  const auto answer =
      AwaitAnswer([&](PowerAnswered done) { power_->SetSystemPowerState(true, false, done); }, 8000);
  const qint64 ms = elapsed.elapsed();
  QVERIFY2(answer, "no answer");
  QVERIFY2(ms >= minMs && ms <= maxMs, qPrintable(QStringLiteral("answered after %1 ms").arg(ms)));
  // A sleep that began and ended with logind gone woke the machine; the others did not happen.
  QCOMPARE(answer->accepted, killLogind);
  QCOMPARE(answer->reason.isEmpty(), killLogind);
  if (!killLogind)
    QCOMPARE(ManagerCalls(), QStringList{"Suspend(true)"});
  for (const QVariantList& b : broadcasts)
    QCOMPARE(b.at(0).toInt(), PowerEvent::Suspend);
}

void TestLogind::prepareForSleepBecomesBroadcast() {
  // The same signal from anybody but logind is not believed.
  sessionManager_ = std::make_unique<DBusMock>(system_, QStringLiteral("org.example.Impostor"));
  QVERIFY(sessionManager_->Start(
      {QStringLiteral("--system"), QStringLiteral("org.example.Impostor"), LogindPath, ManagerInterface}));

  power_ = std::make_unique<LogindPower>();
  QSignalSpy broadcasts(power_.get(), &LogindPower::PowerBroadcast);
  sessionManager_->Control(LogindPath, QStringLiteral("EmitSignal"),
                           {ManagerInterface, QStringLiteral("PrepareForSleep"), QStringLiteral("b"),
                            QVariant::fromValue(QVariantList{false})});
  logind_->EmitBool(LogindPath, ManagerInterface, QStringLiteral("PrepareForSleep"), true);
  QTRY_COMPARE(broadcasts.count(), 1);
  QCOMPARE(broadcasts.at(0), (QVariantList{PowerEvent::Suspend, qint64(0)}));
  logind_->EmitBool(LogindPath, ManagerInterface, QStringLiteral("PrepareForSleep"), false);
  QTRY_COMPARE(broadcasts.count(), 2);
  QCOMPARE(broadcasts.at(1), (QVariantList{PowerEvent::ResumeSuspend, qint64(0)}));
}

void TestLogind::logOffThroughSessionManager_data() {
  QTest::addColumn<QString>("service");
  QTest::addColumn<QString>("path");
  QTest::addColumn<QString>("interface");
  QTest::addColumn<QString>("method");
  QTest::addColumn<QString>("signature");
  QTest::addColumn<bool>("force");
  QTest::addColumn<QString>("expected");

  const QString gnome = QStringLiteral("org.gnome.SessionManager");
  QTest::newRow("GNOME") << gnome << "/org/gnome/SessionManager" << gnome << "Logout"
                         << "u" << false << "Logout(1)";
  QTest::newRow("GNOME forced") << gnome << "/org/gnome/SessionManager" << gnome << "Logout"
                                << "u" << true << "Logout(2)";
  QTest::newRow("Plasma 6") << "org.kde.Shutdown"
                            << "/Shutdown"
                            << "org.kde.Shutdown"
                            << "logout" << QString() << false << "logout()";
  QTest::newRow("Plasma 5") << "org.kde.ksmserver"
                            << "/KSMServer"
                            << "org.kde.KSMServerInterface"
                            << "logout"
                            << "iii" << false << "logout(0, 0, 1)";
  QTest::newRow("Plasma 5 forced") << "org.kde.ksmserver"
                                   << "/KSMServer"
                                   << "org.kde.KSMServerInterface"
                                   << "logout"
                                   << "iii" << true << "logout(0, 0, 2)";
  QTest::newRow("Xfce forced") << "org.xfce.SessionManager"
                               << "/org/xfce/SessionManager"
                               << "org.xfce.Session.Manager"
                               << "Logout"
                               << "bb" << true << "Logout(false, true)";
}

void TestLogind::logOffThroughSessionManager() {
  QFETCH(QString, service);
  QFETCH(QString, path);
  QFETCH(QString, interface);
  QFETCH(QString, method);
  QFETCH(QString, signature);
  QFETCH(bool, force);
  QFETCH(QString, expected);
  sessionManager_ = std::make_unique<DBusMock>(QDBusConnection::sessionBus(), service);
  QVERIFY(sessionManager_->Start({QStringLiteral("--session"), service, path, interface}));
  QVERIFY(sessionManager_->AddMethod(path, interface, method, signature, QString(), QString()));
  logind_->Control(LogindPath, QStringLiteral("ClearCalls"), {});

  power_ = std::make_unique<LogindPower>();
  power_->ExitWindows(force ? 4 : 0, {});
  QTRY_COMPARE(sessionManager_->CallLines(path), QStringList{expected});
  power_.reset();
  QCOMPARE(ManagerCalls(), QStringList());
}

void TestLogind::logOffWhenSessionManagerAnswersError_data() {
  QTest::addColumn<QString>("code");
  QTest::addColumn<bool>("sessionEnded");
  // A refusal protects the applications' unsaved work: the session is not ended behind its back.
  QTest::newRow("refuses") << QStringLiteral("raise dbus.exceptions.DBusException('Not now', "
                                             "name='org.gnome.SessionManager.NotInRunning')")
                           << false;
  // One that does not speak this request is as good as none.
  QTest::newRow("does not know Logout") << QString() << true;
}

void TestLogind::logOffWhenSessionManagerAnswersError() {
  QFETCH(QString, code);
  QFETCH(bool, sessionEnded);
  const QString gnome = QStringLiteral("org.gnome.SessionManager");
  const QString path = QStringLiteral("/org/gnome/SessionManager");
  sessionManager_ = std::make_unique<DBusMock>(QDBusConnection::sessionBus(), gnome);
  QVERIFY(sessionManager_->Start({QStringLiteral("--session"), gnome, path, gnome}));
  if (!code.isEmpty())
    QVERIFY(sessionManager_->AddMethod(path, gnome, QStringLiteral("Logout"), QStringLiteral("u"), QString(),
                                       code));
  qputenv("XDG_SESSION_ID", "c7");
  logind_->Control(LogindPath, QStringLiteral("ClearCalls"), {});

  power_ = std::make_unique<LogindPower>();
  const auto answer = AwaitAnswer([&](PowerAnswered done) { power_->ExitWindows(0, done); });
  QVERIFY(answer);
  // (This mock logind has no GetSessionByPID, so the session comes from XDG_SESSION_ID.)
  QCOMPARE(ManagerCalls(), sessionEnded ? QStringList{"TerminateSession(\"c7\")"} : QStringList());
  // The session manager's refusal is the answer the user hears.
  QCOMPARE(answer->accepted, sessionEnded);
}

void TestLogind::logOffThroughLogind_data() {
  QTest::addColumn<bool>("force");
  QTest::addColumn<bool>("byPid");
  QTest::addColumn<QString>("sessionIdVariable");
  QTest::addColumn<QString>("terminated");

  QTest::newRow("session of the process") << false << true << "c7"
                                          << "1";
  QTest::newRow("session of the process, forced") << true << true << QString() << "1";
  QTest::newRow("outside a session: XDG_SESSION_ID") << false << false << "c7"
                                                     << "c7";
  QTest::newRow("outside a session, no variable: auto") << true << false << QString() << "auto";
}

void TestLogind::logOffThroughLogind() {
  QFETCH(bool, force);
  QFETCH(bool, byPid);
  QFETCH(QString, sessionIdVariable);
  QFETCH(QString, terminated);
  const QString pid = QString::number(QCoreApplication::applicationPid());
  // logind writes session "1" as _31 in its object paths.
  if (byPid)
    QVERIFY(logind_->AddMethod(LogindPath, ManagerInterface, QStringLiteral("GetSessionByPID"),
                               QStringLiteral("u"), QStringLiteral("o"),
                               QStringLiteral("ret = '/org/freedesktop/login1/session/_31'")));
  else
    QVERIFY(logind_->AddMethod(LogindPath, ManagerInterface, QStringLiteral("GetSessionByPID"),
                               QStringLiteral("u"), QStringLiteral("o"),
                               QStringLiteral("raise dbus.exceptions.DBusException('No session', "
                                              "name='org.freedesktop.login1.NoSessionForPID')")));
  const QString autoPath = QStringLiteral("/org/freedesktop/login1/session/auto");
  logind_->Control(LogindPath, QStringLiteral("AddSession"),
                   {QStringLiteral("auto"), QStringLiteral("seat0"), 1000u, QStringLiteral("user"), true});
  if (!sessionIdVariable.isEmpty())
    qputenv("XDG_SESSION_ID", sessionIdVariable.toUtf8());
  logind_->Control(LogindPath, QStringLiteral("ClearCalls"), {});

  power_ = std::make_unique<LogindPower>();
  const auto answer = AwaitAnswer([&](PowerAnswered done) { power_->ExitWindows(force ? 4 : 0, done); });
  QVERIFY(answer && answer->accepted);
  QStringList expected{"GetSessionByPID(" + pid + ")"};
  if (terminated != QLatin1String("auto")) {
    expected << "TerminateSession(\"" + terminated + "\")";
    QCOMPARE(logind_->CallLines(autoPath), QStringList());
  } else {
    QCOMPARE(logind_->CallLines(autoPath), QStringList{"Terminate()"});
  }
  QCOMPARE(ManagerCalls(), expected);
}

void TestLogind::sessionIdFromObjectPath() {
  QCOMPARE(SessionIdFromObjectPath("/org/freedesktop/login1/session/_31"), QStringLiteral("1"));
  QCOMPARE(SessionIdFromObjectPath("/org/freedesktop/login1/session/c2"), QStringLiteral("c2"));
  QCOMPARE(SessionIdFromObjectPath("/org/freedesktop/login1/session/_31_2d2"), QStringLiteral("1-2"));
  // Nothing that logind would not have written comes out as a session id.
  QCOMPARE(SessionIdFromObjectPath("/org/freedesktop/login1/session/_"), QString());
  QCOMPARE(SessionIdFromObjectPath("/org/freedesktop/login1/session/_3"), QString());
  QCOMPARE(SessionIdFromObjectPath("/org/freedesktop/login1/user/_31"), QString());
}

void TestLogind::whatTheSystemAllows_data() {
  QTest::addColumn<QString>("word");
  QTest::addColumn<QString>("method");
  QTest::addColumn<QString>("answer"); // logind's, or empty: logind does not answer at all
  QTest::addColumn<int>("expected");
  QTest::addColumn<QString>("reason");
  const int yes = int(PowerCapability::Answer::Yes), challenge = int(PowerCapability::Answer::Challenge),
            no = int(PowerCapability::Answer::No);
  QTest::newRow("shut down: yes") << "shutdown"
                                  << "CanPowerOff"
                                  << "yes" << yes << QString();
  QTest::newRow("restart: password") << "restart"
                                     << "CanReboot"
                                     << "challenge" << challenge << QString();
  QTest::newRow("stand-by: not allowed")
      << "standby"
      << "CanSuspend"
      << "no" << no << "the system's security policy does not allow it for this user";
  QTest::newRow("hibernate: not available") << "hibernate"
                                            << "CanHibernate"
                                            << "na" << no << "hibernation is not available on this computer";
  QTest::newRow("shut down: no logind")
      << "shutdown"
      << "CanPowerOff" << QString() << no << "the system's power service (logind) is not running";
}

void TestLogind::whatTheSystemAllows() {
  QFETCH(QString, word);
  QFETCH(QString, method);
  QFETCH(QString, answer);
  QFETCH(int, expected);
  QFETCH(QString, reason);
  if (answer.isEmpty())
    logind_.reset();
  else
    QVERIFY(logind_->AddMethod(LogindPath, ManagerInterface, method, QString(), QStringLiteral("s"),
                               QStringLiteral("ret = '%1'").arg(answer)));
  power_ = std::make_unique<LogindPower>();
  auto capability = std::make_shared<std::optional<PowerCapability>>();
  power_->CheckPowerAction(word, [capability](const PowerCapability& c) { *capability = c; });
  QTRY_VERIFY_WITH_TIMEOUT(capability->has_value(), 10000);
  QCOMPARE(int((*capability)->answer), expected);
  QCOMPARE((*capability)->reason, reason);
}

// A log-off goes to the desktop's session manager when one runs: that is enough.
void TestLogind::logOffAllowedThroughASessionManager() {
  const QString xfce = QStringLiteral("org.xfce.SessionManager");
  sessionManager_ = std::make_unique<DBusMock>(QDBusConnection::sessionBus(), xfce);
  QVERIFY(
      sessionManager_->Start({QStringLiteral("--session"), xfce, QStringLiteral("/org/xfce/SessionManager"),
                              QStringLiteral("org.xfce.Session.Manager")}));
  logind_.reset(); // not even logind is needed
  power_ = std::make_unique<LogindPower>();
  auto capability = std::make_shared<std::optional<PowerCapability>>();
  power_->CheckPowerAction(QStringLiteral("logoff"),
                           [capability](const PowerCapability& c) { *capability = c; });
  QTRY_VERIFY_WITH_TIMEOUT(capability->has_value(), 10000);
  QCOMPARE((*capability)->answer, PowerCapability::Answer::Yes);
}

QTEST_GUILESS_MAIN(TestLogind)
#include "test_logind.moc"
