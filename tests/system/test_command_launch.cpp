// Starting the user's application command line: a path with blanks as the file dialog returns it,
// the shell's quoting without a shell, and a clear reason when the program cannot be started.
#include "platform/linux/command_launch.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

using namespace zarvo;

namespace {

bool Exists(const QString& path) {
  const QFileInfo info(path);
  return info.exists() && !info.isDir();
}

// An executable script that writes each of its arguments on a line of `out`.
bool WriteScript(const QString& path, const QString& out) {
  QFile f(path);
  if (!f.open(QIODevice::WriteOnly))
    return false;
  f.write(QStringLiteral(
              "#!/bin/sh\nfor a in \"$@\"; do printf '%s\\n' \"$a\"; done > '%1.tmp'\nmv '%1.tmp' '%1'\n")
              .arg(out)
              .toUtf8());
  f.close();
  return f.setPermissions(f.permissions() | QFileDevice::ExeOwner | QFileDevice::ExeUser);
}

QStringList ReadLines(const QString& path) {
  QFile f(path);
  if (!f.open(QIODevice::ReadOnly))
    return {};
  return QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

} // namespace

class TestCommandLaunch : public QObject {
  Q_OBJECT
private slots:
  void plans() {
    auto only = [](QStringList files) { return [files](const QString& p) { return files.contains(p); }; };
    const auto none = only({});

    // Shell quoting: notify-send 'Time is up' is two arguments; nothing is expanded.
    LaunchPlan p = PlanCommandLine(QStringLiteral("notify-send 'Time is up' \"a \\\"b\\\"\" c\\ d"), none);
    QVERIFY(p.error.isEmpty());
    QCOMPARE(p.program, QStringLiteral("notify-send"));
    QCOMPARE(p.arguments,
             (QStringList{QStringLiteral("Time is up"), QStringLiteral("a \"b\""), QStringLiteral("c d")}));
    p = PlanCommandLine(QStringLiteral("echo $(reboot) ; `id` *"), none);
    QCOMPARE(p.arguments, (QStringList{QStringLiteral("$(reboot)"), QStringLiteral(";"),
                                       QStringLiteral("`id`"), QStringLiteral("*")}));

    // An unquoted path with blanks: the longest prefix that is a file wins, the rest are arguments.
    const QString script = QStringLiteral("/home/u/My Scripts/alarm.sh");
    p = PlanCommandLine(script, only({script}));
    QCOMPARE(p.program, script);
    QVERIFY(p.arguments.isEmpty());
    p = PlanCommandLine(script + QStringLiteral(" --loud 'two words'"),
                        only({QStringLiteral("/home/u/My"), script}));
    QCOMPARE(p.program, script);
    QCOMPARE(p.arguments, (QStringList{QStringLiteral("--loud"), QStringLiteral("two words")}));
    // A path with a quote in it, as a folder may be named.
    const QString bobs = QStringLiteral("/home/u/Bob's tools/ring");
    p = PlanCommandLine(bobs + QStringLiteral(" 3"), only({bobs}));
    QCOMPARE(p.program, bobs);
    QCOMPARE(p.arguments, QStringList{QStringLiteral("3")});
    // No file by that name: the quoting rules decide.
    p = PlanCommandLine(QStringLiteral("\"/opt/My App/run\" -x"), none);
    QCOMPARE(p.program, QStringLiteral("/opt/My App/run"));
    QCOMPARE(p.arguments, QStringList{QStringLiteral("-x")});

    // What cannot be started says why.
    QVERIFY(!PlanCommandLine(QStringLiteral("say 'unbalanced"), none).error.isEmpty());
    QVERIFY(!PlanCommandLine(QStringLiteral("   "), none).error.isEmpty());
    QVERIFY(!PlanCommandLine(script + QStringLiteral(" 'open"), only({script})).error.isEmpty());
  }

  void startsAScriptInAFolderWithBlanks() {
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("My Scripts")));
    const QString script = dir.filePath(QStringLiteral("My Scripts/alarm.sh"));
    const QString out = dir.filePath(QStringLiteral("args.txt"));
    QVERIFY(WriteScript(script, out));
    const LaunchPlan plan = PlanCommandLine(script + QStringLiteral(" 'Time is up' $HOME"), Exists);
    QCOMPARE(StartDetached(plan), QString());
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(out), 20000);
    QCOMPARE(ReadLines(out), (QStringList{QStringLiteral("Time is up"), QStringLiteral("$HOME")}));
  }

  void reasonsWhenItCannotStart() {
    QTemporaryDir dir;
    const QString plain = dir.filePath(QStringLiteral("notes.txt"));
    QFile f(plain);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.close();
    const QString reasons[] = {
        StartDetached(PlanCommandLine(dir.filePath(QStringLiteral("missing")), Exists)),
        StartDetached(PlanCommandLine(QStringLiteral("zarvo-no-such-program-here"), Exists)),
        StartDetached(PlanCommandLine(plain, Exists)),
        StartDetached(PlanCommandLine(dir.path(), Exists)),
        StartDetached(PlanCommandLine(QStringLiteral("true 'x"), Exists)),
    };
    for (const QString& r : reasons)
      QVERIFY(!r.isEmpty());
    QCOMPARE(reasons[2], QStringLiteral("the file is not executable"));
    QCOMPARE(reasons[3], QStringLiteral("it is a folder, not a program"));
    QCOMPARE(StartDetached(PlanCommandLine(QStringLiteral("true --quiet"), Exists)), QString());
  }
};

QTEST_GUILESS_MAIN(TestCommandLaunch)
#include "test_command_launch.moc"
