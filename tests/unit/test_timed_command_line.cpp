// The countdown given on the command line: every accepted form of time and action, and the one-line
// error for each kind of mistake.
#include "main/timed_command_line.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace zarvo;

namespace {

constexpr int H = 3'600'000;
constexpr int M = 60'000;
constexpr int S = 1'000;

QStringList Args(const char* line) {
  return QString::fromUtf8(line).split(QLatin1Char(' '), Qt::SkipEmptyParts);
}

} // namespace

class TestTimedCommandLine : public QObject {
  Q_OBJECT
private slots:
  void initTestCase() {
    QVERIFY(dir_.isValid());
    QDir(dir_.path()).mkpath(QStringLiteral("home/sounds"));
    for (const char* name : {"home/bell.wav", "home/sounds/Chime.MP3", "notes.txt", "here.wav"}) {
      QFile f(dir_.filePath(QLatin1String(name)));
      QVERIFY(f.open(QIODevice::WriteOnly));
      f.write("x");
    }
  }

  void durations_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<qint64>("ms");
    QTest::newRow("seconds") << "90s" << qint64(90 * S);
    QTest::newRow("minutes") << "10m" << qint64(10 * M);
    QTest::newRow("hours") << "2h" << qint64(2 * H);
    QTest::newRow("hours and minutes") << "1h30m" << qint64(H + 30 * M);
    QTest::newRow("all three") << "1h2m3s" << qint64(H + 2 * M + 3 * S);
    QTest::newRow("capitals") << "1H30M" << qint64(H + 30 * M);
    QTest::newRow("hh:mm") << "01:30" << qint64(H + 30 * M);
    QTest::newRow("hh:mm:ss") << "00:00:45" << qint64(45 * S);
    QTest::newRow("one-digit hour") << "2:05:00" << qint64(2 * H + 5 * M);
    QTest::newRow("a day, read but out of range") << "24:00" << qint64(24 * H);
  }
  void durations() {
    QFETCH(QString, text);
    QFETCH(qint64, ms);
    QCOMPARE(ParseDuration(text), std::optional<qint64>(ms));
  }

  void notDurations() {
    for (const char* text : {"", "5", "5x", "m", "30m1h", "1h 30m", "-5m", "1.5h", "10:5", "10:60", "1:2:3",
                             "h30m", "9999999s", "12:00:00:00"})
      QVERIFY2(!ParseDuration(QLatin1String(text)), text);
  }

  void timesOfDay() {
    QCOMPARE(ParseTimeOfDay(QStringLiteral("23:30")), std::optional<int>(23 * H + 30 * M));
    QCOMPARE(ParseTimeOfDay(QStringLiteral("07:05:09")), std::optional<int>(7 * H + 5 * M + 9 * S));
    QCOMPARE(ParseTimeOfDay(QStringLiteral("7:30")), std::optional<int>(7 * H + 30 * M));
    QCOMPARE(ParseTimeOfDay(QStringLiteral("00:00")), std::optional<int>(0));
    for (const char* text : {"24:00", "23:60", "12", "12:3", "12:30:60", "noon", "-1:00", "12:30pm", ""})
      QVERIFY2(!ParseTimeOfDay(QLatin1String(text)), text);
  }

  void theIssuesExamples() {
    TimedCommandLine r =
        Parse({QStringLiteral("--after"), QStringLiteral("30m"), QStringLiteral("--shutdown")});
    QCOMPARE(r.kind, TimedCommandLine::Kind::Start);
    QCOMPARE(r.start.mode, CountdownMode::After);
    QCOMPARE(r.start.pickerMs, 30 * M);
    QVERIFY(r.start.selection.ShutDownSelected);
    QVERIFY(!r.start.selection.PlaySoundSelected && !r.start.selection.RunApplicationSelected &&
            !r.start.selection.ShowMessageSelected);

    r = Parse({QStringLiteral("--at"), QStringLiteral("23:30"), QStringLiteral("--standby"),
               QStringLiteral("--message"), QStringLiteral("Good night")});
    QCOMPARE(r.kind, TimedCommandLine::Kind::Start);
    QCOMPARE(r.start.mode, CountdownMode::At);
    QCOMPARE(r.start.pickerMs, 23 * H + 30 * M);
    QVERIFY(r.start.selection.StandBySelected);
    QVERIFY(!r.start.selection.ShutDownSelected);
    QVERIFY(r.start.selection.ShowMessageSelected);
    QCOMPARE(r.start.selection.MessageText, QStringLiteral("Good night"));

    // The shell leaves "~" alone inside quotes; it means the home folder all the same.
    r = Parse({QStringLiteral("--after"), QStringLiteral("1h30m"), QStringLiteral("--sound"),
               QStringLiteral("~/bell.wav"), QStringLiteral("--run"), QStringLiteral("notify-send done")});
    QCOMPARE(r.kind, TimedCommandLine::Kind::Start);
    QCOMPARE(r.start.pickerMs, H + 30 * M);
    QVERIFY(!r.start.selection.AnyPowerSelected());
    QVERIFY(r.start.selection.PlaySoundSelected);
    QCOMPARE(r.start.selection.SoundFileName, dir_.filePath(QStringLiteral("home/bell.wav")));
    QVERIFY(r.start.selection.RunApplicationSelected);
    QCOMPARE(r.start.selection.ApplicationCommand, QStringLiteral("notify-send done"));
  }

  void otherSpellings() {
    // name=value, any order, each power action, files relative to the working folder.
    const std::pair<const char*, PowerAction> powers[] = {{"--shutdown", PowerAction::ShutDown},
                                                          {"--restart", PowerAction::Restart},
                                                          {"--logoff", PowerAction::LogOff},
                                                          {"--standby", PowerAction::StandBy},
                                                          {"--hibernate", PowerAction::Hibernate}};
    for (const auto& [option, action] : powers) {
      const TimedCommandLine r = Parse({QLatin1String(option), QStringLiteral("--after=00:00:05")});
      QCOMPARE(r.kind, TimedCommandLine::Kind::Start);
      QCOMPARE(r.start.pickerMs, 5 * S);
      QVERIFY(r.start.selection.Power(action));
      int selected = 0;
      for (PowerAction a : kPowerActions)
        selected += r.start.selection.Power(a) ? 1 : 0;
      QCOMPARE(selected, 1);
    }
    TimedCommandLine r = Parse(Args("--sound here.wav --at=7:00:30"));
    QCOMPARE(r.kind, TimedCommandLine::Kind::Start);
    QCOMPARE(r.start.selection.SoundFileName, dir_.filePath(QStringLiteral("here.wav")));
    QCOMPARE(r.start.pickerMs, 7 * H + 30 * S);
    r = Parse(Args("--sound home/sounds/../sounds/Chime.MP3 --after 1s"));
    QCOMPARE(r.kind, TimedCommandLine::Kind::Start);
    QCOMPARE(r.start.selection.SoundFileName, dir_.filePath(QStringLiteral("home/sounds/Chime.MP3")));
    r = Parse(
        {QStringLiteral("--after"), QStringLiteral("23:59:59"), QStringLiteral("--message=--- a dash ---")});
    QCOMPARE(r.kind, TimedCommandLine::Kind::Start);
    QCOMPARE(r.start.pickerMs, 23 * H + 59 * M + 59 * S);
    QCOMPARE(r.start.selection.MessageText, QStringLiteral("--- a dash ---"));
  }

  void notOursStartsAsUsual() {
    for (const char* line :
         {"", "shutdown", "reboot", "shutdown now", "-platform offscreen", "--help", "--after 10m --version"})
      QCOMPARE(Parse(Args(line)).kind, TimedCommandLine::Kind::None);
  }

  void eachMistakeIsOneClearLine_data() {
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("error");
    const auto row = [](const char* name, QStringList args, const char* error) {
      QTest::newRow(name) << args << QString::fromUtf8(error);
    };
    row("unknown option", Args("--after 10m --shutdwn"),
        "zarvo: unknown option \"--shutdwn\" (see zarvo --help)");
    row("bad duration", Args("--after 10x --shutdown"),
        "zarvo: \"10x\" is not a duration; use 90s, 10m, 2h, 1h30m or hh:mm[:ss]");
    row("a day", Args("--after 24h --shutdown"),
        "zarvo: the duration \"24h\" is a day or more; the longest is 23:59:59");
    row("more than a day", Args("--after 25:00 --restart"),
        "zarvo: the duration \"25:00\" is a day or more; the longest is 23:59:59");
    row("zero", Args("--after 0s --restart"), "zarvo: the duration \"0s\" is zero; give at least one second");
    row("bad time", Args("--at 24:00 --standby"),
        "zarvo: \"24:00\" is not a time of day; use hh:mm or hh:mm:ss");
    row("missing value", Args("--shutdown --after"), "zarvo: --after needs a value (see zarvo --help)");
    row("both times", Args("--after 10m --at 10:00 --shutdown"),
        "zarvo: give either --after or --at, not both");
    row("twice", Args("--after 10m --after 20m --shutdown"), "zarvo: --after is given twice");
    row("two power actions", Args("--after 10m --shutdown --restart"),
        "zarvo: only one of --shutdown, --restart, --logoff, --standby and --hibernate can be given");
    row("value on a flag", Args("--after 10m --shutdown=now"), "zarvo: --shutdown takes no value");
    row("no time", Args("--shutdown"), "zarvo: say when: add --after DURATION or --at TIME");
    row("no action", Args("--after 10m"),
        "zarvo: nothing to do at the end: add --shutdown, --restart, --logoff, --standby, --hibernate, "
        "--sound, "
        "--run or --message");
    row("stray word", Args("--after 10m shutdown"),
        "zarvo: unexpected argument \"shutdown\" (see zarvo --help)");
    row("empty message",
        QStringList{
            QStringLiteral("--after"),
            QStringLiteral("1m"),
            QStringLiteral("--message="),
        },
        "zarvo: --message needs a text");
    row("empty command",
        QStringList{QStringLiteral("--after"), QStringLiteral("1m"), QStringLiteral("--run"),
                    QStringLiteral("  ")},
        "zarvo: --run needs a command line");
  }
  void eachMistakeIsOneClearLine() {
    QFETCH(QStringList, args);
    QFETCH(QString, error);
    const TimedCommandLine r = Parse(args);
    QCOMPARE(r.kind, TimedCommandLine::Kind::Error);
    QCOMPARE(r.error, error);
    QVERIFY(!r.error.contains(QLatin1Char('\n')));
  }

  void soundFileMistakes() {
    TimedCommandLine r = Parse(Args("--after 1m --sound missing.wav"));
    QCOMPARE(r.kind, TimedCommandLine::Kind::Error);
    QCOMPARE(r.error,
             QStringLiteral("zarvo: the sound file \"%1\" does not exist").arg(dir_.filePath("missing.wav")));
    r = Parse(Args("--after 1m --sound home/sounds"));
    QCOMPARE(r.error,
             QStringLiteral("zarvo: the sound file \"%1\" cannot be read").arg(dir_.filePath("home/sounds")));
    r = Parse(Args("--after 1m --sound notes.txt"));
    QCOMPARE(r.error, QStringLiteral("zarvo: the sound file \"%1\" is not a .wav or .mp3 file")
                          .arg(dir_.filePath("notes.txt")));
    r = Parse({QStringLiteral("--after"), QStringLiteral("1m"), QStringLiteral("--sound"), QString()});
    QCOMPARE(r.error, QStringLiteral("zarvo: --sound needs a sound file"));
  }

  void usageNamesEveryOption() {
    const QString usage = TimedUsage();
    for (const char* option : {"--after", "--at", "--shutdown", "--restart", "--logoff", "--standby",
                               "--hibernate", "--sound", "--run", "--message"})
      QVERIFY2(usage.contains(QLatin1String(option)), option);
  }

private:
  TimedCommandLine Parse(const QStringList& args) const {
    return ParseTimedCommandLine(args, dir_.path(), dir_.filePath(QStringLiteral("home")));
  }

  QTemporaryDir dir_;
};

QTEST_APPLESS_MAIN(TestTimedCommandLine)
#include "test_timed_command_line.moc"
