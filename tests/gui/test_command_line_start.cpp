// A power action given on the command line at start-up: the confirmation, the unforced request, and
// a program that then ends before any other window exists, with no timer and no settings written.
#include "framework/fake_dialogs.h"
#include "main/main_window.h"
#include "main/window_set.h"
#include "platform/fake/fake_platform.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace zarvo;

namespace {

struct Start {
  QTemporaryDir folder;
  FakeClock clock;
  FakeDialogs dialogs;
  FakePlatform platform;
  std::unique_ptr<WindowSet> windows;
  bool created = false;

  Start(const QString& arguments, const QByteArray& settings) {
    platform.executablePath = folder.filePath(QStringLiteral("zarvo"));
    platform.commandLine = QLatin1Char('"') + platform.executablePath + QStringLiteral("\" ") + arguments;
    if (!settings.isNull()) {
      QFile f(SettingsFile());
      if (!f.open(QIODevice::WriteOnly) || f.write(settings) != settings.size())
        qFatal("cannot write the settings");
    }
  }
  void Create() {
    windows = std::make_unique<WindowSet>(clock, dialogs, platform);
    created = windows->Create();
  }
  QString SettingsFile() const { return folder.filePath(QStringLiteral("Settings.ini")); }
  QByteArray Settings() const {
    QFile f(SettingsFile());
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
  }
  // Ended at once: only the main window object exists, none shown, no timer running.
  void VerifyEnded() const {
    QVERIFY(!created);
    QVERIFY(windows->FormOptions() == nullptr && windows->FormCounter() == nullptr &&
            windows->FormTime() == nullptr && windows->FormMessage() == nullptr);
    QVERIFY(!windows->Form1()->isVisible());
    QVERIFY(!windows->Form1()->Timer1.isActive() && !windows->Form1()->Timer3.isActive() &&
            !windows->Form1()->TimerInit.isActive());
  }
};

} // namespace

class TestCommandLineStart : public QObject {
  Q_OBJECT
private slots:
  void confirmedActionIsUnforcedAndEndsTheProgram_data() {
    QTest::addColumn<QString>("argument");
    QTest::addColumn<QString>("word");
    QTest::addColumn<QString>("request");
    QTest::newRow("ShutDown") << QStringLiteral("ShutDown") << QStringLiteral("SHUTDOWN")
                              << QStringLiteral("exit 9");
    QTest::newRow("restart") << QStringLiteral("restart") << QStringLiteral("RESTART")
                             << QStringLiteral("exit 2");
    QTest::newRow("logoff") << QStringLiteral("logoff") << QStringLiteral("LOGOFF")
                            << QStringLiteral("exit 0");
    QTest::newRow("standby") << QStringLiteral("StandBy") << QStringLiteral("STANDBY")
                             << QStringLiteral("power suspend");
    QTest::newRow("hibernate") << QStringLiteral("hibernate") << QStringLiteral("HIBERNATE")
                               << QStringLiteral("power hibernate");
  }

  void confirmedActionIsUnforcedAndEndsTheProgram() {
    QFETCH(QString, argument);
    QFETCH(QString, word);
    QFETCH(QString, request);
    // Force Shut Down saved as checked does not count here.
    const QByteArray settings = "[Form1]\nForceShutDown1=1\nLeft=5\n";
    Start s(argument, settings);
    s.dialogs.nextAnswers << Answer::Yes;
    s.Create();
    s.VerifyEnded();
    QCOMPARE(s.dialogs.asked.size(), 1);
    const FakeDialogs::Asked& asked = s.dialogs.asked.first();
    QCOMPARE(asked.text,
             QString(25, QLatin1Char(' ')) + QStringLiteral("Are you sure you want to ") + word +
                 QStringLiteral(" ?\n\r\n\rUncheck the \"Zarvo\" menu \"Run->Show Confirmation\" to "
                                "skip the confirmation!"));
    QCOMPARE(asked.caption, QStringLiteral("Confirm"));
    QCOMPARE(asked.buttons, Buttons::YesNo);
    QCOMPARE(asked.icon, Icon::Question);
    QCOMPARE(s.platform.calls, (QStringList{QStringLiteral("privilege"), request}));
    s.windows.reset();
    QCOMPARE(s.Settings(), settings);
  }

  void answeringNoEndsWithoutActing() {
    Start s(QStringLiteral("shutdown"), QByteArray());
    s.dialogs.nextAnswers << Answer::No;
    s.Create();
    s.VerifyEnded();
    QCOMPARE(s.dialogs.asked.size(), 1);
    QVERIFY(s.platform.calls.isEmpty());
    s.windows.reset();
    QVERIFY(!QFile::exists(s.SettingsFile()));
  }

  void confirmationSwitchedOffActsWithoutAsking() {
    Start s(QStringLiteral("standby"), "[form1]\nShowconfirmation1=0\n");
    s.Create();
    s.VerifyEnded();
    QVERIFY(s.dialogs.asked.isEmpty());
    QCOMPARE(s.platform.calls, (QStringList{QStringLiteral("privilege"), QStringLiteral("power suspend")}));
  }

  void anythingElseStartsNormally_data() {
    QTest::addColumn<QString>("arguments");
    QTest::newRow("other word") << QStringLiteral("reboot");
    QTest::newRow("two arguments") << QStringLiteral("shutdown now");
    QTest::newRow("trailing blank") << QStringLiteral("shutdown ");
    QTest::newRow("quoted word with blank") << QStringLiteral("\"shutdown \"");
  }

  void anythingElseStartsNormally() {
    QFETCH(QString, arguments);
    Start s(arguments, QByteArray());
    s.Create();
    QVERIFY(s.created);
    QVERIFY(s.windows->FormOptions() && s.windows->FormTime());
    QVERIFY(s.windows->Form1()->Timer1.isActive());
    QVERIFY(s.dialogs.asked.isEmpty());
    QVERIFY(s.platform.calls.isEmpty());
  }
};

QTEST_MAIN(TestCommandLineStart)
#include "test_command_line_start.moc"
