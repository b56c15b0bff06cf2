// The settings load and save on the real windows, on a 1024 x 768 screen: defaults, transparency,
// toggles and their captions and frames, quitting from the time-only view, where the file lives,
// and folders that cannot take it.
#include "framework/profile_file.h"
#include "main/settings.h"
#include "tests/support/test_support.h"
#include "zarvo_fixture.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QScreen>

#include <csignal>
#include <limits>
#include <sys/resource.h>

using namespace zarvo;
using namespace zarvo::test;

namespace {

const QByteArray kFirstSave =
    "[Form1]\nLeft=512\nTop=244\nShowHelp=1\nForceShutDown1=1\nAlphaBlendValue=255\n"
    "AlphaBlend=1\nShowconfirmation1=1\nIsAlways=0\n"
    "[FormCounter]\nLeft=512\nTop=384\nVisible=1\nIsLocked=1\n"
    "[FormOptions]\nVisible=1\nIsLocked=1\nLeft=312\nTop=244\n";

// One run of the program in `folder`: created, settings loaded, timers left to the test.
struct Run {
  FakeClock clock;
  FakeDialogs dialogs;
  FakePlatform platform;
  std::unique_ptr<WindowSet> windows;
  TForm1* form1 = nullptr;       // for the set-up alone
  SkinnedWindow* main = nullptr; // the main window, as the tests see it
  TFormOptions* options = nullptr;
  TFormCounter* counter = nullptr;
  TFormTime* time = nullptr;

  explicit Run(const QString& folder, bool load = true) {
    platform.executablePath = folder + QStringLiteral("/zarvo");
    windows = std::make_unique<WindowSet>(clock, dialogs, platform);
    if (!windows->Create())
      qFatal("the window set was not created");
    form1 = windows->Form1();
    main = form1;
    options = windows->FormOptions();
    counter = windows->FormCounter();
    time = windows->FormTime();
    form1->Timer1.stop();
    form1->Timer3.stop();
    form1->TimerInit.stop();
    if (load) {
      form1->TimerInitTimer();
      if (!WaitUntil([this] { return form1->Started(); }))
        qFatal("the start did not finish");
    }
  }
  // Exit from the main menu (reachable in every view, the time-only one too).
  void Quit() { QVERIFY(Trigger(main, QStringLiteral("Exit1"))); }
  bool Checked(const char* item) const { return MenuChecked(main, QString::fromLatin1(item)); }
  QString Caption(const char* item) const { return MenuCaption(main, QString::fromLatin1(item)); }
  int Frame(const char* button) const { return Zarvo::Frame(main, QString::fromLatin1(button)); }
  // The checked level in the Transparent button's menu (`suffix` "1") or the submenu ("2").
  int CheckedLevel(const char* suffix) const {
    const char* const levels[] = {"Disabled", "Low", "Mediu", "Intermediar", "Hight"};
    for (int i = 0; i < 5; ++i)
      if (MenuChecked(main, QString::fromLatin1(levels[i]) + QLatin1String(suffix)))
        return i;
    return -1;
  }
};

QString FileIn(const QString& folder) { return folder + QStringLiteral("/Settings.ini"); }

QByteArray Read(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

void Write(const QString& path, const QByteArray& content) {
  QFile f(path);
  QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
  QCOMPARE(f.write(content), content.size());
}

int Saved(const QString& folder, const char* section, const char* key) {
  return profile::DecodeInteger(
      profile::FindValue(Read(FileIn(folder)), section, key).value_or(QByteArray("<none>")), -999);
}

} // namespace

class TestSettings : public QObject {
  Q_OBJECT
private slots:
  void initTestCase() { QCOMPARE(QGuiApplication::primaryScreen()->geometry(), QRect(0, 0, 1024, 768)); }

  void defaultsWithoutAFileAndTheFirstSave() {
    QTemporaryDir dir;
    {
      Run r(dir.path());
      QCOMPARE(r.main->pos(), QPoint(512, 244));
      QCOMPARE(r.counter->pos(), QPoint(512, 384));
      QCOMPARE(r.options->pos(), QPoint(312, 244));
      QVERIFY(r.main->isVisible() && r.options->isVisible() && r.counter->isVisible());
      QVERIFY(r.options->Locked() && r.counter->Locked());
      QVERIFY(r.Checked("Showhelp1") && r.Checked("ForceShutDown1"));
      QVERIFY(r.Checked("Showconfirmation1"));
      QVERIFY(!r.Checked("Alwaysontop1"));
      QCOMPARE(r.Frame("TopAlways"), 0);
      // The main window blended at 255 (opaque); the rest of the group not blended at all.
      QVERIFY(r.main->AlphaBlend());
      QCOMPARE(r.main->AlphaBlendValue(), 255);
      QCOMPARE(r.main->windowOpacity(), 1.0);
      for (SkinnedWindow* w : std::initializer_list<SkinnedWindow*>{r.options, r.counter, r.time})
        QVERIFY(!w->AlphaBlend());
      QCOMPARE(r.CheckedLevel("1"), 0);
      QCOMPARE(r.CheckedLevel("2"), 0);
      QCOMPARE(r.Caption("HideOptionsPanel1"), QStringLiteral("Hide Options Panel"));
      QCOMPARE(r.Caption("HideCounter1"), QStringLiteral("Hide Counter Panel"));
      QCOMPARE(r.Frame("Options"), 2);
      QCOMPARE(r.Frame("Counter"), 2);
      QVERIFY(!Control(r.main, QStringLiteral("LabelToolTip"))->isVisible());
      QVERIFY(!QFile::exists(FileIn(dir.path()))); // loading writes nothing
      r.Quit();
    }
    QCOMPARE(Read(FileIn(dir.path())), kFirstSave);
  }

  void transparencyRecoveredFromTheStoredValues_data() {
    QTest::addColumn<QByteArray>("stored");
    QTest::addColumn<int>("mainAlpha");
    QTest::addColumn<bool>("mainBlend");
    QTest::addColumn<int>("groupAlpha"); // the Options, Counter and Time windows
    QTest::addColumn<bool>("groupBlend");
    QTest::addColumn<int>("level"); // checked item in both menus: 0 Disabled .. 4 Hight
    QTest::newRow("300: low byte 44, main window alone")
        << QByteArray("AlphaBlendValue=300\n") << 44 << true << 255 << false << 0;
    QTest::newRow("200 unblended: Mediu, then Disabled")
        << QByteArray("AlphaBlendValue=200\nAlphaBlend=0\n") << 255 << false << 255 << false << 0;
    QTest::newRow("120 blended: main window alone")
        << QByteArray("AlphaBlendValue=120\nAlphaBlend=1\n") << 120 << true << 255 << false << 0;
    QTest::newRow("100: Hight for the group")
        << QByteArray("AlphaBlendValue=100\n") << 100 << true << 100 << true << 4;
    QTest::newRow("$E6: Low for the group")
        << QByteArray("AlphaBlendValue=$E6\n") << 230 << true << 230 << true << 1;
  }

  void transparencyRecoveredFromTheStoredValues() {
    QFETCH(QByteArray, stored);
    QFETCH(int, mainAlpha);
    QFETCH(bool, mainBlend);
    QFETCH(int, groupAlpha);
    QFETCH(bool, groupBlend);
    QFETCH(int, level);
    QTemporaryDir dir;
    Write(FileIn(dir.path()), "[Form1]\n" + stored);
    {
      Run r(dir.path());
      QCOMPARE(r.main->AlphaBlendValue(), mainAlpha);
      QCOMPARE(r.main->AlphaBlend(), mainBlend);
      QCOMPARE(r.main->windowOpacity(), mainBlend ? mainAlpha / 255.0 : 1.0);
      for (SkinnedWindow* w : std::initializer_list<SkinnedWindow*>{r.options, r.counter, r.time}) {
        QCOMPARE(w->AlphaBlendValue(), groupAlpha);
        QCOMPARE(w->AlphaBlend(), groupBlend);
      }
      QCOMPARE(r.CheckedLevel("1"), level);
      QCOMPARE(r.CheckedLevel("2"), level);
      r.Quit();
    }
    QCOMPARE(Saved(dir.path(), "Form1", "AlphaBlendValue"), mainAlpha);
    QCOMPARE(Saved(dir.path(), "Form1", "AlphaBlend"), mainBlend ? 1 : 0);
  }

  void togglesFollowTheStoredValuesAndTheirEncodings() {
    QTemporaryDir dir;
    Write(FileIn(dir.path()),
          "; mine\n[form1]\nLeft=$10\nTop=0x20\nShowHelp=TRUE\nIsAlways=0x1\nForceShutDown1=0\n"
          "Showconfirmation1=0\n[FormCounter]\nIsLocked=0\n[FormOptions]\nIsLocked=0\n");
    {
      Run r(dir.path());
      QCOMPARE(r.main->pos(), QPoint(16, 32));
      QVERIFY(r.Checked("Showhelp1")); // TRUE is no integer: the default, true
      QVERIFY(r.Checked("Alwaysontop1"));
      QCOMPARE(r.Frame("TopAlways"), 2);
      for (QWidget* w : std::initializer_list<QWidget*>{r.main, r.options, r.counter, r.time})
        QVERIFY(w->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
      QVERIFY(!r.Checked("ForceShutDown1"));
      QVERIFY(!r.Checked("Showconfirmation1"));
      QVERIFY(!r.counter->Locked() && !r.options->Locked());
      // The satellites' default places follow the main window as loaded.
      QCOMPARE(r.counter->pos(), QPoint(16, 32 + 140));
      QCOMPARE(r.options->pos(), QPoint(16 - 200, 32));
      r.Quit();
    }
    const QByteArray saved = Read(FileIn(dir.path()));
    QVERIFY2(saved.startsWith(
                 "; mine\n[form1]\nLeft=16\nTop=32\nShowHelp=1\nIsAlways=1\nForceShutDown1=0\n"
                 "Showconfirmation1=0\nAlphaBlendValue=255\nAlphaBlend=1\n[FormCounter]\nIsLocked=0\n"),
             saved.constData());

    Write(FileIn(dir.path()), "[Form1]\nIsAlways=TRUE\nForceShutDown1=1\n");
    Run r(dir.path());
    QVERIFY(!r.Checked("Alwaysontop1") && !r.main->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    QCOMPARE(r.Frame("TopAlways"), 0);
    QVERIFY(r.Checked("ForceShutDown1"));
  }

  void hiddenSatellitesWithTheirCaptionsAndFrames() {
    QTemporaryDir dir;
    Write(FileIn(dir.path()), "[FormCounter]\nVisible=0\nLeft=-5000\nTop=99999\n[FormOptions]\nVisible=0\n"
                              "[Form1]\nLeft=3000\nTop=-400\n");
    {
      Run r(dir.path());
      // Off the screen, applied unchanged.
      QCOMPARE(r.main->pos(), QPoint(3000, -400));
      QCOMPARE(r.counter->pos(), QPoint(-5000, 99999));
      QVERIFY(!r.counter->isVisible() && !r.options->isVisible() && r.main->isVisible());
      QCOMPARE(r.Caption("HideCounter1"), QStringLiteral("Show Counter Panel"));
      QCOMPARE(r.Caption("HideOptionsPanel1"), QStringLiteral("Show Options Panel"));
      QCOMPARE(r.Frame("Counter"), 0);
      QCOMPARE(r.Frame("Options"), 0);
      r.Quit();
    }
    QCOMPARE(Saved(dir.path(), "FormCounter", "Visible"), 0);
    QCOMPARE(Saved(dir.path(), "FormOptions", "Visible"), 0);
    QCOMPARE(Saved(dir.path(), "FormCounter", "Left"), -5000);
    QCOMPARE(Saved(dir.path(), "Form1", "Top"), -400);
  }

  void quittingFromTheTimeOnlyViewOrMinimisedSavesTheSatellitesShown() {
    QTemporaryDir dir;
    Write(FileIn(dir.path()), "[FormCounter]\nVisible=0\n[FormOptions]\nVisible=0\n");
    {
      Run r(dir.path());
      // The Options window shown for a moment to choose the message, then hidden again.
      Press(r.main, QStringLiteral("Options"));
      r.dialogs.nextInputs << QStringLiteral("Tea");
      Press(r.options, QStringLiteral("Message"));
      Press(r.main, QStringLiteral("Options"));
      Press(r.main, QStringLiteral("Start"));
      Press(r.main, QStringLiteral("ShowTime"));
      QVERIFY(r.time->isVisible() && !r.main->isVisible());
      // The desktop session ends with the view on: saved as Exit would, which leaves the view.
      r.form1->SaveSettings();
      QCOMPARE(Saved(dir.path(), "FormCounter", "Visible"), 1);
      QCOMPARE(Saved(dir.path(), "FormOptions", "Visible"), 1);
      r.Quit();
    }
    QCOMPARE(Saved(dir.path(), "FormCounter", "Visible"), 1);
    QCOMPARE(Saved(dir.path(), "FormOptions", "Visible"), 1);

    // The minimised group takes its satellites off the screen; they are still the user's.
    Run r(dir.path());
    Press(r.main, QStringLiteral("Minimize"));
    QTRY_VERIFY(!r.counter->isVisible() && !r.options->isVisible());
    r.Quit();
    QCOMPARE(Saved(dir.path(), "FormCounter", "Visible"), 1);
    QCOMPARE(Saved(dir.path(), "FormOptions", "Visible"), 1);
  }

  // Stored positions at the ends of the int range are applied unchanged, and the default places
  // of the satellites that follow from them stay within that range.
  void extremePositionsAreAppliedAndTheirDefaultsStayInRange() {
    constexpr int kMax = std::numeric_limits<int>::max();
    constexpr int kMin = std::numeric_limits<int>::min();
    {
      QTemporaryDir dir;
      Write(FileIn(dir.path()), "[Form1]\nTop=2147483647\n");
      Run(dir.path()).Quit();
      QCOMPARE(Saved(dir.path(), "Form1", "Top"), kMax);
      QCOMPARE(Saved(dir.path(), "FormCounter", "Top"), kMax);
      QCOMPARE(Saved(dir.path(), "FormOptions", "Top"), kMax);
    }
    QTemporaryDir dir;
    Write(FileIn(dir.path()), "[Form1]\nLeft=-2147483648\n");
    Run(dir.path()).Quit();
    QCOMPARE(Saved(dir.path(), "Form1", "Left"), kMin);
    QCOMPARE(Saved(dir.path(), "FormCounter", "Left"), kMin);
    QCOMPARE(Saved(dir.path(), "FormOptions", "Left"), kMin);
  }

  void garbageGivesTheDefaultsAndTheNextSaveAValidFile() {
    QTemporaryDir dir;
    QByteArray garbage(64 * 1024, '\0');
    for (int i = 0; i < garbage.size(); ++i)
      garbage[i] = static_cast<char>((i * 7919) % 251);
    Write(FileIn(dir.path()), garbage);
    {
      Run r(dir.path());
      QCOMPARE(r.main->pos(), QPoint(512, 244));
      QVERIFY(r.options->isVisible() && r.counter->isVisible());
      r.main->MoveTo(100, 120);
      r.Quit();
    }
    Run r(dir.path());
    QCOMPARE(r.main->pos(), QPoint(100, 120));
    QCOMPARE(r.options->pos(), QPoint(312, 244)); // where it stood, as it is not dragged along
  }

  // A save asked before the load (a session manager at once, a quit in the first instant) would
  // write the defaults over the user's layout.
  void nothingIsSavedBeforeTheSettingsAreLoaded() {
    QTemporaryDir dir;
    {
      Run r(dir.path());
      r.main->MoveTo(100, 120);
      r.Quit();
    }
    const QByteArray saved = Read(FileIn(dir.path()));
    {
      Run early(dir.path(), false);
      early.form1->SaveSettings();
      early.Quit();
    }
    QCOMPARE(Read(FileIn(dir.path())), saved);
    Run r(dir.path());
    QCOMPARE(r.main->pos(), QPoint(100, 120));
  }

  // The satellites wait for the main window's first picture, which they would hold up, and count as
  // shown meanwhile: a quit in that instant keeps them in the file, and they are not shown after it.
  void satellitesFollowTheMainWindowsFirstPicture() {
    QTemporaryDir dir;
    {
      Run r(dir.path(), false);
      r.form1->TimerInitTimer();
      QVERIFY(r.main->isVisible() && !r.options->isVisible() && !r.counter->isVisible());
      QCOMPARE(r.Caption("HideCounter1"), QStringLiteral("Hide Counter Panel"));
      QTRY_VERIFY(r.options->isVisible() && r.counter->isVisible());
    }
    {
      Run r(dir.path(), false);
      r.form1->TimerInitTimer();
      r.Quit();
      QVERIFY(ExpectNothingFor(300, [&r] { return r.options->isVisible() || r.counter->isVisible(); }));
    }
    QCOMPARE(Saved(dir.path(), "FormCounter", "Visible"), 1);
    QCOMPARE(Saved(dir.path(), "FormOptions", "Visible"), 1);
  }

  // A read-only folder takes no new file, but the settings file in it is written in place; a
  // write-protected file stays as it was. Neither is said.
  void aReadOnlyFolderStillUpdatesAWritableFile() {
    QTemporaryDir dir;
    Write(FileIn(dir.path()), "[Form1]\nLeft=100\nTop=50\n");
    QVERIFY(QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner));
    {
      ObeyFilePermissions obey;
      {
        Run r(dir.path());
        QCOMPARE(r.form1->pos(), QPoint(100, 50));
        r.form1->MoveTo(400, 400);
        r.Quit();
        QVERIFY(r.dialogs.asked.isEmpty());
      }
      QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("Settings.ini")});
      QVERIFY(QFile::setPermissions(FileIn(dir.path()), QFileDevice::ReadOwner));
      const QByteArray saved = Read(FileIn(dir.path()));
      {
        Run again(dir.path());
        QCOMPARE(again.form1->pos(), QPoint(400, 400));
        again.form1->MoveTo(100, 50);
        again.form1->Showhelp1->trigger();
        again.Quit();
        QVERIFY(again.dialogs.asked.isEmpty());
      }
      QCOMPARE(Read(FileIn(dir.path())), saved);
    }
    QVERIFY(QFile::setPermissions(dir.path(),
                                  QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner));
  }

  void aFailingWriteEndsTheSaveAndKeepsWhatWasWritten() {
    QTemporaryDir dir;
    Run r(dir.path());
    // A file-size limit makes the write fail that would grow the file past 60 bytes: the fifth key.
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit saved{};
    QCOMPARE(getrlimit(RLIMIT_FSIZE, &saved), 0);
    rlimit limit = saved;
    limit.rlim_cur = 60;
    QCOMPARE(setrlimit(RLIMIT_FSIZE, &limit), 0);
    r.Quit();
    QCOMPARE(setrlimit(RLIMIT_FSIZE, &saved), 0);
    std::signal(SIGXFSZ, SIG_DFL);
    QCOMPARE(Read(FileIn(dir.path())),
             QByteArray("[Form1]\nLeft=512\nTop=244\nShowHelp=1\nForceShutDown1=1\n"));
    QVERIFY(r.dialogs.asked.isEmpty());
  }

  void theFileLivesBesideTheProgramOrInTheUsersConfigFolder() {
    QTemporaryDir program, config;
    const QByteArray savedConfigHome = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(config.path()));
    const QString name = QString::fromLatin1(kSettingsFileName);
    const QString configFile = config.path() + QStringLiteral("/zarvo/Settings.ini");
    // A folder that takes files: beside the program.
    QCOMPARE(SettingsFilePath(program.path(), name), FileIn(program.path()));
    // System folders never, even for the superuser.
    QCOMPARE(SettingsFilePath(QStringLiteral("/usr/bin"), name), configFile);
    QCOMPARE(SettingsFilePath(program.path() + QStringLiteral("/missing"), name), configFile);
    QVERIFY(QFile::setPermissions(program.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner));
    {
      ObeyFilePermissions obey;
      QCOMPARE(SettingsFilePath(program.path(), name), configFile);
      // An installed program saves into the config folder, which the save creates, and finds it again.
      {
        Run r(program.path());
        r.main->MoveTo(10, 20);
        r.Quit();
      }
      QCOMPARE(Saved(config.path() + QStringLiteral("/zarvo"), "Form1", "Left"), 10);
      Run r(program.path());
      QCOMPARE(r.main->pos(), QPoint(10, 20));
    }
    QVERIFY(QFile::setPermissions(program.path(),
                                  QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner));
    // A file that is already beside the program wins, even in a read-only folder.
    Write(FileIn(program.path()), "[Form1]\n");
    QVERIFY(QFile::setPermissions(program.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner));
    {
      ObeyFilePermissions obey;
      QCOMPARE(SettingsFilePath(program.path(), name), FileIn(program.path()));
    }
    QVERIFY(QFile::setPermissions(program.path(),
                                  QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner));
    QCOMPARE(QDir(program.path()).entryList(QDir::Files | QDir::Hidden),
             QStringList{QStringLiteral("Settings.ini")});
    if (savedConfigHome.isNull())
      qunsetenv("XDG_CONFIG_HOME");
    else
      qputenv("XDG_CONFIG_HOME", savedConfigHome);
  }
};

int main(int argc, char* argv[]) {
  // A 1024 x 768 primary screen, whatever the machine has.
  QTemporaryDir dir;
  const QString config = dir.filePath(QStringLiteral("screen.json"));
  {
    QFile f(config);
    if (!f.open(QIODevice::WriteOnly) ||
        f.write(R"({"screens": [{"name": "Screen", "x": 0, "y": 0, "width": 1024, "height": 768,)"
                R"( "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1}]})") <= 0)
      return 1;
  }
  qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + QFile::encodeName(config));
  QApplication app(argc, argv);
  TestSettings test;
  return QTest::qExec(&test, argc, argv);
}

#include "test_settings.moc"
