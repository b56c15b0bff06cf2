// The real program started with an action word, against a mock logind on a private system bus:
// confirmation off acts at once, unforced, and ends without a window or a settings write; the
// question's Yes acts and No does not; other command lines start the program; --help and --version
// answer without a display.
#include "tests/support/test_support.h"
#include "tests/system/x_session.h"

#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusVariant>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace zarvo::test;

namespace {

const QString kLogind = QStringLiteral("org.freedesktop.login1");
const QString kPath = QStringLiteral("/org/freedesktop/login1");
const QString kManager = QStringLiteral("org.freedesktop.login1.Manager");
const QString kMock = QStringLiteral("org.freedesktop.DBus.Mock");

QDBusMessage MockCall(const QString& method, const QVariantList& args) {
  QDBusMessage m = QDBusMessage::createMethodCall(kLogind, kPath, kMock, method);
  m.setArguments(args);
  return QDBusConnection::systemBus().call(m);
}

// The manager calls logind received, oldest first, as "Method(arg, ...)".
QStringList LogindCalls() {
  const QDBusMessage r = MockCall(QStringLiteral("GetCalls"), {});
  if (r.type() != QDBusMessage::ReplyMessage)
    return {QStringLiteral("GetCalls failed: ") + r.errorMessage()};
  QStringList calls;
  const QDBusArgument list = r.arguments().constFirst().value<QDBusArgument>();
  list.beginArray();
  while (!list.atEnd()) {
    quint64 time = 0;
    QString method;
    QStringList args;
    list.beginStructure();
    list >> time >> method;
    list.beginArray();
    while (!list.atEnd()) {
      QDBusVariant v;
      list >> v;
      args << v.variant().toString();
    }
    list.endArray();
    list.endStructure();
    calls << method + QLatin1Char('(') + args.join(QStringLiteral(", ")) + QLatin1Char(')');
  }
  list.endArray();
  return calls;
}

bool AnyViewableWindow(const QStringList& titles) {
  for (const XWindow& w : XWindows())
    for (const QString& t : titles)
      if ((w.name == t || w.name.startsWith(t + QLatin1Char(' '))) && IsViewable(w.id))
        return true;
  return false;
}

} // namespace

class TestCommandLineEndToEnd : public QObject {
  Q_OBJECT
private slots:
  void initTestCase() {
    QVERIFY2(QDBusConnection::systemBus().isConnected(), "run under tests/support/with-dbus");
    logind_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    logind_.setStandardOutputFile(QProcess::nullDevice());
    logind_.start(SystemPython(),
                  {QStringLiteral("-m"), QStringLiteral("dbusmock"), QStringLiteral("--template"),
                   QStringLiteral("logind"), QStringLiteral("--system")});
    QVERIFY(logind_.waitForStarted(5000));
    QTRY_VERIFY_WITH_TIMEOUT(QDBusConnection::systemBus().interface()->isServiceRegistered(kLogind), 20000);
    // Like logind, a sleep request announces the sleep before it is answered.
    const QDBusMessage r =
        MockCall(QStringLiteral("AddMethod"),
                 {kManager, QStringLiteral("Suspend"), QStringLiteral("b"), QString(),
                  QStringLiteral("self.EmitSignal('%1', 'PrepareForSleep', 'b', [True])").arg(kManager)});
    QVERIFY2(r.type() == QDBusMessage::ReplyMessage, qPrintable(r.errorMessage()));
  }

  void init() {
    MockCall(QStringLiteral("ClearCalls"), {});
    QVERIFY(folder_.isValid());
    // A copy of the program in a folder of its own: its settings file is the test's alone.
    program_ = folder_.filePath(QStringLiteral("zarvo"));
    QFile::remove(program_);
    QFile::remove(folder_.filePath(QStringLiteral("Settings.ini")));
    QVERIFY(QFile::copy(QStringLiteral(ZARVO_BINARY), program_));
    QVERIFY(QFile::setPermissions(program_, QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                QFileDevice::ExeOwner | QFileDevice::ReadUser |
                                                QFileDevice::ExeUser));
  }

  void cleanupTestCase() {
    logind_.terminate();
    logind_.waitForFinished(5000);
  }

  void confirmationOffActsUnforcedWithoutWindowOrSave() {
    // Force Shut Down saved as checked: a command-line action is still not forced.
    const QByteArray settings = "; mine\n[Form1]\nShowconfirmation1=0\nForceShutDown1=1\n";
    WriteSettings(settings);
    QProcess zarvo;
    Start(zarvo, {QStringLiteral("ShutDown")});
    QVERIFY(zarvo.waitForFinished(60000));
    QCOMPARE(zarvo.exitStatus(), QProcess::NormalExit);
    QCOMPARE(zarvo.exitCode(), 0);
    QCOMPARE(LogindCalls(), QStringList{QStringLiteral("PowerOff(true)")});
    QCOMPARE(ReadSettings(), settings);
    QCOMPARE(FolderFiles(), (QStringList{QStringLiteral("Settings.ini"), QStringLiteral("zarvo")}));
  }

  void standByWaitsForTheResumeWithoutAWindow() {
    WriteSettings("[Form1]\nShowconfirmation1=0\n");
    QProcess zarvo;
    Start(zarvo, {QStringLiteral("standby")});
    QTRY_COMPARE_WITH_TIMEOUT(LogindCalls(), QStringList{QStringLiteral("Suspend(true)")}, 60000);
    // Asleep: the process waits for the resume, and none of its windows is on the screen.
    QCOMPARE(zarvo.state(), QProcess::Running);
    QVERIFY(!AnyViewableWindow({QStringLiteral("Zarvo"), QStringLiteral("Options"), QStringLiteral("Counter"),
                                QStringLiteral("Confirm")}));
    const QDBusMessage r =
        MockCall(QStringLiteral("EmitSignal"),
                 {kManager, QStringLiteral("PrepareForSleep"), QStringLiteral("b"), QVariantList{false}});
    QVERIFY2(r.type() == QDBusMessage::ReplyMessage, qPrintable(r.errorMessage()));
    QVERIFY(zarvo.waitForFinished(30000));
    QCOMPARE(zarvo.exitCode(), 0);
    QCOMPARE(LogindCalls(), QStringList{QStringLiteral("Suspend(true)")});
  }

  void yesActsAndNoDoesNot_data() {
    QTest::addColumn<QString>("word");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QStringList>("calls");
    QTest::newRow("Yes") << QStringLiteral("Restart") << QStringLiteral("Return")
                         << QStringList{QStringLiteral("Reboot(true)")};
    QTest::newRow("No") << QStringLiteral("hibernate") << QStringLiteral("Escape") << QStringList{};
  }

  void yesActsAndNoDoesNot() {
    QFETCH(QString, word);
    QFETCH(QString, key);
    QFETCH(QStringList, calls);
    QProcess zarvo;
    Start(zarvo, {word});
    std::optional<XWindow> box;
    // Sticky: a window list read while another process's windows go away may come back empty.
    QTRY_VERIFY_WITH_TIMEOUT(box.has_value() || (box = FindConfirmation()).has_value(), 30000);
    QVERIFY(LogindCalls().isEmpty()); // nothing before the answer
    QVERIFY(
        !AnyViewableWindow({QStringLiteral("Zarvo"), QStringLiteral("Options"), QStringLiteral("Counter")}));
    // The pointer over the box gives it the keyboard on a server without a window manager.
    QVERIFY(Xdotool({QStringLiteral("mousemove"), QString::number(box->geometry.center().x()),
                     QString::number(box->geometry.top() + 10)}));
    QVERIFY(Keys({key}));
    QVERIFY(zarvo.waitForFinished(30000));
    QCOMPARE(zarvo.exitCode(), 0);
    QCOMPARE(LogindCalls(), calls);
    QCOMPARE(FolderFiles(), QStringList{QStringLiteral("zarvo")}); // no settings written
  }

  void otherCommandLinesStartNormally_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::newRow("two arguments") << QStringList{QStringLiteral("shutdown"), QStringLiteral("now")};
    QTest::newRow("trailing blank") << QStringList{QStringLiteral("shutdown ")};
  }

  void otherCommandLinesStartNormally() {
    QFETCH(QStringList, arguments);
    QProcess zarvo;
    Start(zarvo, arguments);
    bool shown = false;
    QTRY_VERIFY_WITH_TIMEOUT(
        shown = shown || FindWindow(QStringLiteral("Zarvo"), QSize(200, 140)).has_value(), 30000);
    QCOMPARE(zarvo.state(), QProcess::Running);
    QVERIFY(!AnyViewableWindow({QStringLiteral("Confirm")}));
    QVERIFY(LogindCalls().isEmpty());
    zarvo.terminate();
    QVERIFY(zarvo.waitForFinished(10000));
  }

  void helpAndVersionNeedNoDisplay() {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("DISPLAY"));
    env.remove(QStringLiteral("WAYLAND_DISPLAY"));
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb")); // a window would fail here
    for (const QString& option : {QStringLiteral("--help"), QStringLiteral("--version")}) {
      QProcess zarvo;
      zarvo.setProcessEnvironment(env);
      zarvo.setProcessChannelMode(QProcess::ForwardedErrorChannel);
      zarvo.start(program_, {option});
      QVERIFY(zarvo.waitForFinished(30000));
      QCOMPARE(zarvo.exitCode(), 0);
      const QString out = QString::fromLocal8Bit(zarvo.readAllStandardOutput());
      if (option == QLatin1String("--version"))
        QVERIFY2(out.startsWith(QStringLiteral("Zarvo ")) && out.endsWith(QLatin1Char('\n')),
                 qPrintable(out));
      else
        QVERIFY2(
            out.startsWith(QStringLiteral("Usage: zarvo")) &&
                out.contains(QStringLiteral("Settings: ") + folder_.filePath(QStringLiteral("Settings.ini"))),
            qPrintable(out));
    }
    QCOMPARE(FolderFiles(), QStringList{QStringLiteral("zarvo")});
  }

private:
  void Start(QProcess& zarvo, const QStringList& arguments) {
    zarvo.setProcessChannelMode(QProcess::ForwardedChannels);
    zarvo.setWorkingDirectory(folder_.path());
    zarvo.start(program_, arguments);
    QVERIFY(zarvo.waitForStarted(10000));
  }

  std::optional<XWindow> FindConfirmation() const {
    for (const XWindow& w : XWindows())
      if (w.name.startsWith(QStringLiteral("Confirm")) && IsViewable(w.id))
        return w;
    return std::nullopt;
  }

  void WriteSettings(const QByteArray& content) {
    QFile f(folder_.filePath(QStringLiteral("Settings.ini")));
    QVERIFY(f.open(QIODevice::WriteOnly) && f.write(content) == content.size());
  }
  QByteArray ReadSettings() const {
    QFile f(folder_.filePath(QStringLiteral("Settings.ini")));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
  }
  QStringList FolderFiles() const {
    return QDir(folder_.path()).entryList(QDir::Files | QDir::Hidden, QDir::Name);
  }

  QProcess logind_;
  QTemporaryDir folder_;
  QString program_;
};

QTEST_GUILESS_MAIN(TestCommandLineEndToEnd)
#include "test_command_line_e2e.moc"
