// The real program started with an action word, against a mock logind on a private system bus:
// confirmation off acts at once, unforced, and ends without a window or a settings write; the
// question's Yes acts and No does not; other command lines start the program; --help and --version
// answer without a display.
#include "tests/support/dbus_mock.h"
#include "tests/support/zarvo_process.h"

#include <QDBusConnection>
#include <QDir>
#include <QTest>

#include <algorithm>
#include <memory>

using namespace zarvo::test;

namespace {

bool AnyViewableWindow(const QStringList& titles) {
  return FindXWindow([&](const XWindow& w) {
           return std::any_of(titles.begin(), titles.end(), [&](const QString& t) { return Titled(w, t); });
         })
      .has_value();
}

} // namespace

class TestCommandLineEndToEnd : public QObject {
  Q_OBJECT
private slots:
  void initTestCase() {
    QVERIFY2(QDBusConnection::systemBus().isConnected(), "run under tests/support/with-dbus");
    QVERIFY(logind_.Start());
    // Like logind, a sleep request announces the sleep before it is answered.
    QVERIFY(logind_.AnnounceSleeps());
  }

  void init() {
    QVERIFY(logind_.ClearManagerCalls());
    // A program of its own in a folder of its own: its settings file is this test's alone.
    zarvo_ = std::make_unique<ZarvoProcess>();
    QVERIFY(zarvo_->IsValid());
  }

  void cleanup() { zarvo_.reset(); }

  void confirmationOffActsUnforcedWithoutWindowOrSave() {
    // Force Shut Down saved as checked: a command-line action is still not forced.
    const QByteArray settings = "; mine\n[Form1]\nShowconfirmation1=0\nForceShutDown1=1\n";
    QVERIFY(zarvo_->WriteSettings(settings));
    QProcess& zarvo = Start({QStringLiteral("ShutDown")});
    QVERIFY(zarvo.waitForFinished(60000));
    QCOMPARE(zarvo.exitStatus(), QProcess::NormalExit);
    QCOMPARE(zarvo.exitCode(), 0);
    QCOMPARE(logind_.ManagerCalls(), QStringList{QStringLiteral("PowerOff(true)")});
    QCOMPARE(zarvo_->ReadSettings(), settings);
    QCOMPARE(FolderFiles(), (QStringList{QStringLiteral("Settings.ini"), QStringLiteral("zarvo")}));
  }

  void standByWaitsForTheResumeWithoutAWindow() {
    QVERIFY(zarvo_->WriteSettings("[Form1]\nShowconfirmation1=0\n"));
    QProcess& zarvo = Start({QStringLiteral("standby")});
    QTRY_COMPARE_WITH_TIMEOUT(logind_.ManagerCalls(), QStringList{QStringLiteral("Suspend(true)")}, 60000);
    // Asleep: the process waits for the resume, and none of its windows is on the screen.
    QCOMPARE(zarvo.state(), QProcess::Running);
    QVERIFY(!AnyViewableWindow({QStringLiteral("Zarvo"), QStringLiteral("Options"), QStringLiteral("Counter"),
                                QStringLiteral("Confirm")}));
    QVERIFY(logind_.EmitPrepareForSleep(false));
    QVERIFY(zarvo.waitForFinished(30000));
    QCOMPARE(zarvo.exitCode(), 0);
    QCOMPARE(logind_.ManagerCalls(), QStringList{QStringLiteral("Suspend(true)")});
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
    QProcess& zarvo = Start({word});
    std::optional<XWindow> box;
    // Sticky: a window list read while another process's windows go away may come back empty.
    QTRY_VERIFY_WITH_TIMEOUT(box.has_value() || (box = FindConfirmation()).has_value(), 30000);
    QVERIFY(logind_.ManagerCalls().isEmpty()); // nothing before the answer
    QVERIFY(
        !AnyViewableWindow({QStringLiteral("Zarvo"), QStringLiteral("Options"), QStringLiteral("Counter")}));
    // The pointer over the box gives it the keyboard on a server without a window manager.
    QVERIFY(Xdotool({QStringLiteral("mousemove"), QString::number(box->geometry.center().x()),
                     QString::number(box->geometry.top() + 10)}));
    QVERIFY(Keys({key}));
    QVERIFY(zarvo.waitForFinished(30000));
    QCOMPARE(zarvo.exitCode(), 0);
    QCOMPARE(logind_.ManagerCalls(), calls);
    QCOMPARE(FolderFiles(), QStringList{QStringLiteral("zarvo")}); // no settings written
  }

  void otherCommandLinesStartNormally_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::newRow("two arguments") << QStringList{QStringLiteral("shutdown"), QStringLiteral("now")};
    QTest::newRow("trailing blank") << QStringList{QStringLiteral("shutdown ")};
  }

  void otherCommandLinesStartNormally() {
    QFETCH(QStringList, arguments);
    QVERIFY(zarvo_->Start(arguments));
    QVERIFY(zarvo_->WaitForWindows(ZarvoProcess::MainOnly, 30000));
    QVERIFY(zarvo_->IsRunning());
    QVERIFY(!AnyViewableWindow({QStringLiteral("Confirm")}));
    QVERIFY(logind_.ManagerCalls().isEmpty());
    QVERIFY(zarvo_->Terminate());
  }

  // Without a display (over SSH, from cron): with the confirmation off the action runs; with it on
  // there is no way to ask, which is said, and nothing is done.
  void withoutADisplayOnlyAnUnconfirmedActionRuns() {
    zarvo_->Environment().remove(QStringLiteral("DISPLAY"));
    zarvo_->Environment().remove(QStringLiteral("WAYLAND_DISPLAY"));
    zarvo_->Environment().insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    QVERIFY(zarvo_->WriteSettings("[Form1]\nShowconfirmation1=0\n"));
    QProcess& zarvo = Start({QStringLiteral("shutdown")});
    QVERIFY(zarvo.waitForFinished(60000));
    QCOMPARE(zarvo.exitCode(), 0);
    QCOMPARE(logind_.ManagerCalls(), QStringList{QStringLiteral("PowerOff(true)")});

    QVERIFY(logind_.ClearManagerCalls());
    QVERIFY(zarvo_->WriteSettings("[Form1]\nShowconfirmation1=1\n"));
    zarvo.setProcessChannelMode(QProcess::SeparateChannels);
    Start({QStringLiteral("restart")});
    QVERIFY(zarvo.waitForFinished(60000));
    QCOMPARE(zarvo.exitStatus(), QProcess::NormalExit);
    QCOMPARE(zarvo.exitCode(), 1);
    const QString error = QString::fromLocal8Bit(zarvo.readAllStandardError());
    QVERIFY2(error.contains(QStringLiteral("no display to ask")), qPrintable(error));
    QVERIFY(logind_.ManagerCalls().isEmpty());
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
      zarvo.start(zarvo_->Program(), {option});
      QVERIFY(zarvo.waitForFinished(30000));
      QCOMPARE(zarvo.exitCode(), 0);
      const QString out = QString::fromLocal8Bit(zarvo.readAllStandardOutput());
      if (option == QLatin1String("--version"))
        QVERIFY2(out.startsWith(QStringLiteral("Zarvo ")) && out.endsWith(QLatin1Char('\n')),
                 qPrintable(out));
      else
        QVERIFY2(out.startsWith(QStringLiteral("Usage: zarvo")) &&
                     out.contains(QStringLiteral("Settings: ") + zarvo_->SettingsFile()),
                 qPrintable(out));
    }
    QCOMPARE(FolderFiles(), QStringList{QStringLiteral("zarvo")});
  }

private:
  QProcess& Start(const QStringList& arguments) {
    [&] { QVERIFY(zarvo_->Start(arguments)); }();
    return zarvo_->Process();
  }

  std::optional<XWindow> FindConfirmation() const {
    return FindXWindow([](const XWindow& w) { return w.name.startsWith(QStringLiteral("Confirm")); });
  }

  QStringList FolderFiles() const {
    return QDir(zarvo_->Folder()).entryList(QDir::Files | QDir::Hidden, QDir::Name);
  }

  MockLogind logind_;
  std::unique_ptr<ZarvoProcess> zarvo_;
};

QTEST_GUILESS_MAIN(TestCommandLineEndToEnd)
#include "test_command_line_e2e.moc"
