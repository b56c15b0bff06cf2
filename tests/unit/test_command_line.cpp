// Which command lines ask for a power action, from the raw arguments to the word, and the texts.
#include "main/command_line.h"
#include "main/remote_command_line.h"
#include "platform/linux/linux_platform.h"
#include "project_info.h"

#include <QTest>

using namespace zarvo;

namespace {
const QString kExe = QStringLiteral("/opt/Zarvo/zarvo");
} // namespace

class TestCommandLine : public QObject {
  Q_OBJECT
private slots:
  void requestedWord_data() {
    QTest::addColumn<QString>("commandLine");
    QTest::addColumn<QString>("word");
    const QString q = QStringLiteral("\"/opt/Zarvo/zarvo\"");
    QTest::newRow("shutdown") << q + QStringLiteral(" shutdown") << QStringLiteral("shutdown");
    QTest::newRow("mixed case") << q + QStringLiteral(" ShutDown") << QStringLiteral("shutdown");
    QTest::newRow("path in other case")
        << QStringLiteral("\"/OPT/zarvo/ZARVO\" restart") << QStringLiteral("restart");
    QTest::newRow("logoff") << q + QStringLiteral(" LOGOFF") << QStringLiteral("logoff");
    QTest::newRow("standby") << q + QStringLiteral(" standby") << QStringLiteral("standby");
    QTest::newRow("hibernate") << q + QStringLiteral(" Hibernate") << QStringLiteral("hibernate");
    QTest::newRow("two blanks") << q + QStringLiteral("  shutdown") << QString();
    QTest::newRow("trailing blank") << q + QStringLiteral(" shutdown ") << QString();
    QTest::newRow("unquoted path") << kExe + QStringLiteral(" shutdown") << QString();
    QTest::newRow("other word") << q + QStringLiteral(" reboot") << QString();
    QTest::newRow("second argument") << q + QStringLiteral(" shutdown now") << QString();
    QTest::newRow("no argument") << q << QString();
    QTest::newRow("other program") << QStringLiteral("\"/usr/bin/zarvo\" shutdown") << QString();
    // Only A to Z are folded: a long s (U+017F) is no "s" here.
    QTest::newRow("unicode look-alike") << q + QStringLiteral(" \u017Fhutdown") << QString();
  }

  void requestedWord() {
    QFETCH(QString, commandLine);
    QFETCH(QString, word);
    QCOMPARE(RequestedActionWord(commandLine, kExe), word);
  }

  // The Linux command line is rebuilt from the raw arguments of /proc/self/cmdline.
  void rawArgumentsToWord_data() {
    QTest::addColumn<QByteArray>("cmdline");
    QTest::addColumn<QString>("word");
    QTest::newRow("one word") << QByteArray("zarvo\0ShutDown\0", 15) << QStringLiteral("shutdown");
    QTest::newRow("trailing blank") << QByteArray("zarvo\0shutdown \0", 16) << QString();
    QTest::newRow("leading blank") << QByteArray("zarvo\0 shutdown\0", 16) << QString();
    QTest::newRow("two arguments") << QByteArray("zarvo\0shutdown\0now\0", 19) << QString();
    QTest::newRow("empty second argument") << QByteArray("zarvo\0shutdown\0\0", 16) << QString();
    QTest::newRow("Qt option before it") << QByteArray("zarvo\0-reverse\0shutdown\0", 24) << QString();
    QTest::newRow("word with a quote") << QByteArray("zarvo\0shutdown\"\0", 16) << QString();
    QTest::newRow("no argument") << QByteArray("zarvo\0", 6) << QString();
  }

  void rawArgumentsToWord() {
    QFETCH(QByteArray, cmdline);
    QFETCH(QString, word);
    QStringList arguments = RawArguments(cmdline);
    QVERIFY(!arguments.isEmpty());
    QCOMPARE(arguments.first(), QStringLiteral("zarvo"));
    arguments.removeFirst();
    QCOMPARE(RequestedActionWord(JoinCommandLine(kExe, arguments), kExe), word);
  }

  void confirmationText() {
    QCOMPARE(CommandLineConfirmationText(QStringLiteral("standby")),
             QString(25, QLatin1Char(' ')) +
                 QStringLiteral("Are you sure you want to STANDBY ?\n\r\n\rUncheck the \"Zarvo\" menu "
                                "\"Run->Show Confirmation\" to skip the confirmation!"));
  }

  void helpAndVersion() {
    const QString zarvo = QStringLiteral("zarvo");
    QVERIFY(IsInformationRequest({zarvo, QStringLiteral("--help")}));
    QVERIFY(IsInformationRequest({zarvo, QStringLiteral("-h")}));
    QVERIFY(IsInformationRequest({zarvo, QStringLiteral("--version")}));
    QVERIFY(!IsInformationRequest({zarvo}));
    QVERIFY(IsInformationRequest(
        {zarvo, QStringLiteral("--after"), QStringLiteral("10m"), QStringLiteral("--help")}));
    QVERIFY(!IsInformationRequest({zarvo, QStringLiteral("--after"), QStringLiteral("10m")}));
    QVERIFY(!IsInformationRequest({zarvo, QStringLiteral("shutdown")}));
    QCOMPARE(InformationText({zarvo, QStringLiteral("--version")}, {}),
             QStringLiteral("Zarvo " ZARVO_VERSION "\n"));
    const QString help = InformationText({zarvo, QStringLiteral("--help")},
                                         QStringLiteral("/home/u/.config/zarvo/Settings.ini"));
    // The help wins over the version.
    QCOMPARE(InformationText({zarvo, QStringLiteral("--version"), QStringLiteral("--help")}, {}),
             InformationText({zarvo, QStringLiteral("--help")}, {}));
    for (const char* word :
         {"shutdown", "restart", "logoff", "standby", "hibernate", "--version", "--after", "--at",
          "--replace", "--status", "--cancel", "--postpone", "long-job && zarvo --after 5m --shutdown"})
      QVERIFY2(help.contains(QLatin1String(word)), word);
    QVERIFY(help.endsWith(QStringLiteral("Settings: /home/u/.config/zarvo/Settings.ini\n")));
  }

  // The options that reach the running Zarvo stand alone; --postpone takes the durations of --after.
  void controlOptions_data() {
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("kind");
    QTest::addColumn<qint64>("postponeMs");
    QTest::addColumn<QString>("error");
    using K = ControlCommandLine::Kind;
    const auto row = [](const char* name, const QStringList& args, K kind, qint64 ms, const char* error) {
      QTest::newRow(name) << args << int(kind) << ms << QString::fromUtf8(error);
    };
    row("none of them", {QStringLiteral("--after"), QStringLiteral("5m")}, K::None, 0, "");
    row("status", {QStringLiteral("--status")}, K::Status, 0, "");
    row("cancel", {QStringLiteral("--cancel")}, K::Cancel, 0, "");
    row("postpone", {QStringLiteral("--postpone"), QStringLiteral("1h30m")}, K::Postpone, 5'400'000, "");
    row("postpone=", {QStringLiteral("--postpone=00:10")}, K::Postpone, 600'000, "");
    row("two at once", {QStringLiteral("--status"), QStringLiteral("--cancel")}, K::Error, 0,
        "zarvo: --status takes no value and no other option");
    row("with a countdown", {QStringLiteral("--after"), QStringLiteral("5m"), QStringLiteral("--cancel")},
        K::Error, 0, "zarvo: --status, --cancel and --postpone go alone");
    row("no duration", {QStringLiteral("--postpone")}, K::Error, 0,
        "zarvo: --postpone needs a duration (see zarvo --help)");
    row("zero", {QStringLiteral("--postpone"), QStringLiteral("0s")}, K::Error, 0,
        "zarvo: the duration \"0s\" is zero; give at least one second");
    row("a day", {QStringLiteral("--postpone=24h")}, K::Error, 0,
        "zarvo: the duration \"24h\" is a day or more; the longest is 23:59:59");
  }
  void controlOptions() {
    QFETCH(QStringList, args);
    QFETCH(int, kind);
    QFETCH(qint64, postponeMs);
    QFETCH(QString, error);
    const ControlCommandLine c = ParseControlCommandLine(args);
    QCOMPARE(int(c.kind), kind);
    QCOMPARE(c.postponeMs, postponeMs);
    QCOMPARE(c.error, error);
  }
};

QTEST_GUILESS_MAIN(TestCommandLine)
#include "test_command_line.moc"
