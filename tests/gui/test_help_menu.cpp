// Help and What's new find their files: the page below the start-up working directory or the
// installed one, the history beside the executable or the installed one, and say so when neither is
// there.
#include "framework/fake_dialogs.h"
#include "main/main_window.h"
#include "main/window_set.h"
#include "platform/fake/fake_platform.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>
#include <functional>

using namespace zarvo;

namespace {

bool Touch(const QString& path) {
  QDir().mkpath(QFileInfo(path).path());
  QFile f(path);
  return f.open(QIODevice::WriteOnly) && f.write("x") == 1;
}

// The windows on fakes whose folders the test sets before the main window is created (it reads the
// working directory while it is created).
struct Program {
  FakeClock clock;
  FakeDialogs dialogs;
  FakePlatform platform;
  std::unique_ptr<WindowSet> windows;

  Program(const QString& workingDir, const QString& executableDir, const QString& dataDir) {
    platform.currentDirectory = workingDir;
    platform.executablePath = executableDir + QStringLiteral("/zarvo");
    platform.dataDirectory = dataDir;
    windows = std::make_unique<WindowSet>(clock, dialogs, platform);
    if (!windows->Create())
      qFatal("the window set was not created");
  }

  void Choose(const char* item) {
    QAction* action = windows->Form1()->findChild<QAction*>(QLatin1String(item));
    QVERIFY2(action, item);
    action->trigger();
  }

  QStringList Opened() const {
    QStringList files;
    for (const QString& call : platform.calls)
      if (call.startsWith(QStringLiteral("open ")))
        files << QUrl(call.mid(5)).toLocalFile();
    return files;
  }
};

} // namespace

class TestHelpMenu : public QObject {
  Q_OBJECT
private slots:
  void helpPrefersThePageBelowTheWorkingDirectory() {
    QTemporaryDir work, data;
    QVERIFY(Touch(work.filePath(QStringLiteral("Help/index.html"))));
    QVERIFY(Touch(data.filePath(QStringLiteral("Help/index.html"))));
    Program zarvo(work.path(), data.path() + QStringLiteral("/bin"), data.path());
    zarvo.Choose("Help1");
    QCOMPARE(zarvo.Opened(), QStringList{work.filePath(QStringLiteral("Help/index.html"))});
    QVERIFY(zarvo.dialogs.asked.isEmpty());
  }

  // Started from a desktop menu the working directory is the home folder, with no Help folder.
  void helpFallsBackToTheInstalledPage() {
    QTemporaryDir home, data;
    QVERIFY(Touch(data.filePath(QStringLiteral("Help/index.html"))));
    QVERIFY(Touch(home.filePath(QStringLiteral("index.html")))); // not in a Help folder: not the page
    Program zarvo(home.path(), data.path() + QStringLiteral("/bin"), data.path());
    zarvo.Choose("Help1");
    QCOMPARE(zarvo.Opened(), QStringList{data.filePath(QStringLiteral("Help/index.html"))});
  }

  void whatsNewPrefersTheHistoryBesideTheExecutable() {
    QTemporaryDir home, bin, data;
    QVERIFY(Touch(data.filePath(QStringLiteral("history.txt"))));
    Program installed(home.path(), bin.path(), data.path());
    installed.Choose("Whatsnew1");
    QCOMPARE(installed.Opened(), QStringList{data.filePath(QStringLiteral("history.txt"))});

    QVERIFY(Touch(bin.filePath(QStringLiteral("history.txt"))));
    Program portable(home.path(), bin.path(), data.path());
    portable.Choose("Whatsnew1");
    QCOMPARE(portable.Opened(), QStringList{bin.filePath(QStringLiteral("history.txt"))});
  }

  // A folder of that name is not the file.
  void missingFilesAreReportedWithTheirPlaces() {
    QTemporaryDir home, data;
    QVERIFY(QDir(home.path()).mkpath(QStringLiteral("Help/index.html")));
    Program zarvo(home.path(), home.path(), data.path());
    zarvo.Choose("Help1");
    zarvo.Choose("Whatsnew1");
    QVERIFY(zarvo.Opened().isEmpty());
    QCOMPARE(zarvo.dialogs.asked.size(), 2);
    const QString help = zarvo.dialogs.asked[0].text, history = zarvo.dialogs.asked[1].text;
    QVERIFY2(help.startsWith(QStringLiteral("The help page is not installed.")), qPrintable(help));
    QVERIFY(help.contains(home.filePath(QStringLiteral("Help/index.html"))));
    QVERIFY(help.contains(data.filePath(QStringLiteral("Help/index.html"))));
    QVERIFY2(history.startsWith(QStringLiteral("The change history is not installed.")), qPrintable(history));
    QVERIFY(history.contains(data.filePath(QStringLiteral("history.txt"))));
  }
};

QTEST_MAIN(TestHelpMenu)
#include "test_help_menu.moc"
