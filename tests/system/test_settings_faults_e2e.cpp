// The real program with a settings file it cannot use as usual: a read-only folder (beside the
// program, or in the user's config folder) and a 10 MB file of random bytes. It starts where the
// file lets it, quits through its own close button without a crash or a word, and loses nothing
// the file held.
#include "framework/profile_file.h"
#include "main/settings.h"
#include "tests/support/zarvo_process.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QRandomGenerator>
#include <QTest>

using namespace zarvo;
using namespace zarvo::test;

namespace {

const QByteArray kMine =
    "; my layout\n[Form1]\nLeft=300\nTop=200\nShowHelp=0\n[FormCounter]\nVisible=0\n[Mine]\nNote=keep me\n";

QByteArray Read(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

bool Write(const QString& path, const QByteArray& content) {
  QFile f(path);
  return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(content) == content.size();
}

QStringList Files(const QString& folder) {
  return QDir(folder).entryList(QDir::Files | QDir::Hidden, QDir::Name);
}

// Quits the program as a user does, with the close button of its main window.
void CloseByButton(ZarvoProcess& zarvo, QPoint mainTopLeft) {
  QVERIFY(ClickAt(mainTopLeft + QPoint(179, 8)));
  QVERIFY(zarvo.Process().waitForFinished(60000));
  QCOMPARE(zarvo.Process().exitStatus(), QProcess::NormalExit);
  QCOMPARE(zarvo.Process().exitCode(), 0);
}

constexpr QFileDevice::Permissions kReadOnlyFolder =
    QFileDevice::ReadOwner | QFileDevice::ExeOwner | QFileDevice::ReadUser | QFileDevice::ExeUser;
constexpr QFileDevice::Permissions kWritableFolder =
    kReadOnlyFolder | QFileDevice::WriteOwner | QFileDevice::WriteUser;

} // namespace

class TestSettingsFaults : public QObject {
  Q_OBJECT
private slots:
  void readOnlySettingsFolder_data() {
    QTest::addColumn<bool>("besideProgram");
    QTest::newRow("beside the program") << true;
    QTest::newRow("in the config folder") << false;
  }

  // The layout the file holds is applied; the save at the end cannot write and says nothing; the
  // file and the folder stay as they were, and the next start has the same layout.
  void readOnlySettingsFolder() {
    QFETCH(bool, besideProgram);
    ZarvoProcess zarvo;
    QVERIFY(zarvo.IsValid());
    zarvo.ObeyFilePermissions();
    const QString folder = besideProgram ? zarvo.Folder() : zarvo.Home() + QStringLiteral("/.config/zarvo");
    QVERIFY(QDir().mkpath(folder));
    const QString file = folder + QStringLiteral("/Settings.ini");
    QVERIFY(Write(file, kMine));
    // A writable file in a read-only folder is written in place: this one is write-protected too.
    QVERIFY(QFile::setPermissions(file, QFileDevice::ReadOwner | QFileDevice::ReadUser));
    QVERIFY(QFile::setPermissions(folder, kReadOnlyFolder));
    if (!besideProgram) // an installed program: its own folder takes no files either
      QVERIFY(QFile::setPermissions(zarvo.Folder(), kReadOnlyFolder));
    const QStringList before = Files(folder);

    for (int run = 0; run < 2; ++run) {
      QVERIFY(zarvo.Start());
      const std::optional<ZarvoWindows> w = zarvo.WaitForWindows(ZarvoProcess::OptionsDocked, 30000);
      QVERIFY(w);
      QCOMPARE(w->main->topLeft(), QPoint(300, 200));
      QVERIFY(!FindWindow(QStringLiteral("Counter"), QSize(200, 140))); // hidden, as the file says
      CloseByButton(zarvo, w->main->topLeft());
      if (QTest::currentTestFailed())
        break;
      QCOMPARE(Read(file), kMine);
      QCOMPARE(Files(folder), before);
    }
    QVERIFY(QFile::setPermissions(folder, kWritableFolder));
    QVERIFY(QFile::setPermissions(zarvo.Folder(), kWritableFolder));
  }

  // Asked to end by the system (SIGTERM, as a session stopping sends it), the program saves as a
  // close does and ends normally.
  void endedBySigtermSavesLikeAClose() {
    ZarvoProcess zarvo;
    QVERIFY(zarvo.IsValid());
    QVERIFY(zarvo.WriteSettings("[Form1]\nLeft=300\nTop=200\n"));
    QVERIFY(zarvo.Start());
    QVERIFY(zarvo.WaitForWindows(ZarvoProcess::Group, 60000));
    QVERIFY(zarvo.Terminate(30000));
    QCOMPARE(zarvo.Process().exitStatus(), QProcess::NormalExit);
    QCOMPARE(zarvo.Process().exitCode(), 0);
    QCOMPARE(ReadSetting(zarvo.SettingsFile(), SettingId::MainLeft), 300);
    QCOMPARE(ReadSetting(zarvo.SettingsFile(), SettingId::OptionsLeft), 100); // written by the save
    QCOMPARE(ReadSetting(zarvo.SettingsFile(), SettingId::CounterTop), 340);
  }

  // Random bytes read as no settings at all: the default layout, soon. The save keeps every byte
  // and adds the keys after them, where the next start finds them.
  void tenMegabytesOfRandomBytes() {
    ZarvoProcess zarvo;
    QVERIFY(zarvo.IsValid());
    const quint32 seed = QRandomGenerator::global()->generate();
    qInfo("seed %u", seed);
    QRandomGenerator rng(seed);
    QByteArray noise(10 * 1024 * 1024, Qt::Uninitialized);
    rng.fillRange(reinterpret_cast<quint32*>(noise.data()), noise.size() / 4);
    QVERIFY(zarvo.WriteSettings(noise));

    QElapsedTimer t;
    t.start();
    QVERIFY(zarvo.Start());
    const std::optional<ZarvoWindows> w = zarvo.WaitForWindows(ZarvoProcess::Group, 60000);
    QVERIFY(w);
    qInfo("windows after %lld ms", t.elapsed());
    // The default place: the docked group in the middle of the 1280 x 1024 screen.
    QCOMPARE(w->main->topLeft(), QPoint(640, 372));
    QCOMPARE(w->options->topLeft(), QPoint(440, 372));
    QCOMPARE(w->counter->topLeft(), QPoint(640, 512));
    t.restart();
    CloseByButton(zarvo, w->main->topLeft());
    qInfo("quit after %lld ms", t.elapsed());

    const QByteArray after = zarvo.ReadSettings();
    QVERIFY2(after.startsWith(noise), "the bytes that were there are gone");
    QCOMPARE(ReadSetting(zarvo.SettingsFile(), SettingId::MainLeft), 640);
    QCOMPARE(ReadSetting(zarvo.SettingsFile(), SettingId::OptionsLeft), 440);
    QCOMPARE(ReadSetting(zarvo.SettingsFile(), SettingId::CounterTop), 512);
    QCOMPARE(Files(zarvo.Folder()), (QStringList{QStringLiteral("Settings.ini"), QStringLiteral("zarvo")}));

    // The next start reads the keys after the noise.
    QVERIFY(zarvo.WriteSettings(*profile::SetValue(after, "Form1", "Left", "700")));
    QVERIFY(zarvo.Start());
    const std::optional<ZarvoWindows> again = zarvo.WaitForWindows(ZarvoProcess::Group, 60000);
    QVERIFY(again);
    QCOMPARE(again->main->topLeft(), QPoint(700, 372));
    QVERIFY(zarvo.Terminate());
  }
};

QTEST_GUILESS_MAIN(TestSettingsFaults)
#include "test_settings_faults_e2e.moc"
