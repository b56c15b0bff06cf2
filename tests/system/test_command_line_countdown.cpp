// The real binary started with a countdown on its command line: it shows its windows and carries
// out the actions when the time is up; a mistake ends it with status 2 and one line, before any window.
#include "tests/support/zarvo_process.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace zarvo::test;

class TestCommandLineCountdown : public QObject {
  Q_OBJECT
private slots:
  void mistakesEndWithStatusTwoBeforeAnyWindow_data() {
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("start");
    QTest::newRow("unknown option") << QStringList{QStringLiteral("--in"), QStringLiteral("5m")}
                                    << QStringLiteral("zarvo: unknown option \"--in\"");
    QTest::newRow("bad time") << QStringList{QStringLiteral("--at"), QStringLiteral("25:00"),
                                             QStringLiteral("--shutdown")}
                              << QStringLiteral("zarvo: \"25:00\" is not a time of day");
    QTest::newRow("a day") << QStringList{QStringLiteral("--after"), QStringLiteral("24h"),
                                          QStringLiteral("--restart")}
                           << QStringLiteral("zarvo: the duration \"24h\" is a day or more");
    QTest::newRow("missing sound") << QStringList{QStringLiteral("--after"), QStringLiteral("10m"),
                                                  QStringLiteral("--sound"),
                                                  QStringLiteral("/nonexistent/bell.wav")}
                                   << QStringLiteral(
                                          "zarvo: the sound file \"/nonexistent/bell.wav\" does not exist");
  }
  void mistakesEndWithStatusTwoBeforeAnyWindow() {
    QFETCH(QStringList, args);
    QFETCH(QString, start);
    ZarvoProcess program;
    QVERIFY(program.IsValid());
    QProcess& zarvo = program.Process();
    zarvo.setProcessChannelMode(QProcess::SeparateChannels);
    QVERIFY(program.Start(args));
    QVERIFY(zarvo.waitForFinished(60000));
    QCOMPARE(zarvo.exitStatus(), QProcess::NormalExit);
    QCOMPARE(zarvo.exitCode(), 2);
    const QString err = QString::fromLocal8Bit(zarvo.readAllStandardError());
    QVERIFY2(err.startsWith(start), qPrintable(err));
    QCOMPARE(err.count(QLatin1Char('\n')), 1);
    QVERIFY(zarvo.readAllStandardOutput().isEmpty());
    for (const XWindow& w : XWindows())
      QVERIFY2(!w.name.startsWith(QStringLiteral("Zarvo")), qPrintable(w.name));
  }

  void countdownRunsAndActsWhenTheTimeIsUp() {
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString done = dir.filePath(QStringLiteral("done"));
    ZarvoProcess zarvo;
    QVERIFY(zarvo.IsValid());
    QVERIFY(zarvo.Start({QStringLiteral("--after"), QStringLiteral("3s"), QStringLiteral("--run"),
                         QStringLiteral("touch ") + done, QStringLiteral("--message=Tea is ready")}));
    QVERIFY(zarvo.WaitForWindows(ZarvoProcess::MainOnly, 30000));
    QVERIFY(!QFile::exists(done));
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(done), 60000);
    // The message step shows its window.
    QTRY_VERIFY_WITH_TIMEOUT(FindWindow(QStringLiteral("Zarvo - Message"), QSize(200, 140)).has_value(),
                             30000);
    QVERIFY(zarvo.IsRunning());
    QVERIFY(zarvo.Terminate());
  }
};

QTEST_GUILESS_MAIN(TestCommandLineCountdown)
#include "test_command_line_countdown.moc"
