// Zarvo installed the two ways a user gets it: `cmake --install` into a scratch prefix, and the .deb
// that cpack builds, unpacked with dpkg -x into a scratch root. Every file lands in its standard
// place, and the installed program starts on a real X server and opens its own Help page and change
// history through the desktop's opener, from a working directory that has no Help folder, and
// keeps its settings in the user's configuration folder rather than beside itself.
#include "project_info.h"
#include "tests/support/test_support.h"
#include "tests/support/x_session.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QProcess>
#include <QScopeGuard>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

#include <unistd.h>

using namespace zarvo::test;

namespace {

struct Run {
  int exitCode = -1;
  QString out;
};

Run Tool(const QString& program, const QStringList& arguments) {
  QProcess p;
  p.setProcessChannelMode(QProcess::MergedChannels);
  p.start(program, arguments);
  Run r;
  if (!p.waitForFinished(240000))
    return {-1, program + QStringLiteral(" did not finish")};
  r.exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
  r.out = QString::fromUtf8(p.readAll());
  return r;
}

QByteArray Read(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool WriteExecutable(const QString& path, const QByteArray& text) {
  QFile f(path);
  return f.open(QIODevice::WriteOnly) && f.write(text) == text.size() &&
         f.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}

// The command that runs `program` as a user who cannot write to folders that deny it: as the
// superuser, whom permissions do not stop, without the capabilities that override them.
QStringList AsUser(const QStringList& program) {
  if (geteuid() != 0)
    return program;
  return QStringList{QStringLiteral("setpriv"), QStringLiteral("--bounding-set"),
                     QStringLiteral("-dac_override,-dac_read_search"), QStringLiteral("--")} +
         program;
}

// A viewable top-level window of the program that is none of its skinned windows: its popup menu.
bool MenuIsOpen() {
  return FindXWindow([](const XWindow& w) {
           return w.name == QLatin1String(ZARVO_NAME) && w.geometry.width() > 50 &&
                  w.geometry.size() != QSize(200, 140);
         })
      .has_value();
}

} // namespace

class TestInstall : public QObject {
  Q_OBJECT
  QTemporaryDir scratch_;
  QString prefix_; // the cmake --install tree, ending in /usr
  QString root_;   // the dpkg -x root
  QString deb_;

  void roots() {
    QTest::addColumn<QString>("usr");
    QTest::newRow("cmake --install") << prefix_;
    QTest::newRow("dpkg -x") << root_ + QStringLiteral("/usr");
  }

private slots:
  void initTestCase() {
    QVERIFY(scratch_.isValid());
    prefix_ = scratch_.filePath(QStringLiteral("prefix/usr"));
    root_ = scratch_.filePath(QStringLiteral("root"));

    const Run install = Tool(QStringLiteral(ZARVO_CMAKE),
                             {QStringLiteral("--install"), BinaryDir(), QStringLiteral("--prefix"), prefix_});
    QVERIFY2(install.exitCode == 0, qPrintable(install.out));

    const QString out = scratch_.filePath(QStringLiteral("deb"));
    const Run pack = Tool(QStringLiteral(ZARVO_CPACK),
                          {QStringLiteral("--config"), BinaryDir() + QStringLiteral("/CPackConfig.cmake"),
                           QStringLiteral("-G"), QStringLiteral("DEB"), QStringLiteral("-B"), out});
    QVERIFY2(pack.exitCode == 0, qPrintable(pack.out));
    const QStringList debs = QDir(out).entryList({QStringLiteral("*.deb")}, QDir::Files);
    QCOMPARE(debs.size(), 1);
    deb_ = out + QLatin1Char('/') + debs.first();
    const Run unpack = Tool(QStringLiteral("dpkg"), {QStringLiteral("-x"), deb_, root_});
    QVERIFY2(unpack.exitCode == 0, qPrintable(unpack.out));
  }

  void filesInTheirPlaces_data() { roots(); }
  void filesInTheirPlaces() {
    QFETCH(QString, usr);
    const QFileInfo binary(usr + QStringLiteral("/bin/zarvo"));
    QVERIFY(binary.isFile() && binary.isExecutable());
    // The sound module, which the program loads when it first plays a sound.
    QVERIFY(QFileInfo(usr + QStringLiteral("/" ZARVO_SOUND_MODULE)).isFile());
    for (const char* file :
         {"share/applications/" ZARVO_APP_ID ".desktop", "share/metainfo/" ZARVO_APP_ID ".metainfo.xml",
          "share/zarvo/Help/index.html", "share/zarvo/Help/screenshot.png", "share/doc/zarvo/LICENSE",
          "share/doc/zarvo/copyright"})
      QVERIFY2(QFileInfo(usr + QLatin1Char('/') + QLatin1String(file)).size() > 0, file);
    QCOMPARE(Read(usr + QStringLiteral("/share/zarvo/history.txt")),
             Read(SourceDir() + QStringLiteral("/history.txt")));
    // Manual pages are kept compressed.
    QVERIFY(Read(usr + QStringLiteral("/share/man/man1/zarvo.1.gz")).startsWith("\x1f\x8b"));

    // The icon at every size of the hicolor theme, each picture exactly that size, and the scalable one.
    for (int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
      QImageReader icon(
          QStringLiteral("%1/share/icons/hicolor/%2x%2/apps/" ZARVO_APP_ID ".png").arg(usr).arg(size));
      QCOMPARE(icon.read().size(), QSize(size, size));
    }
    QImageReader svg(usr + QStringLiteral("/share/icons/hicolor/scalable/apps/" ZARVO_APP_ID ".svg"));
    svg.setScaledSize({64, 64});
    QVERIFY2(!svg.read().isNull(), qPrintable(svg.errorString()));

    // Nothing strays outside the standard folders.
    QDirIterator it(usr, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
      const QString file = it.next().mid(usr.size() + 1);
      QVERIFY2(file == QLatin1String("bin/zarvo") || file == QLatin1String(ZARVO_SOUND_MODULE) ||
                   file.startsWith(QLatin1String("share/applications/")) ||
                   file.startsWith(QLatin1String("share/metainfo/")) ||
                   file.startsWith(QLatin1String("share/icons/hicolor/")) ||
                   file.startsWith(QLatin1String("share/man/man1/")) ||
                   file.startsWith(QLatin1String("share/zarvo/")) ||
                   file.startsWith(QLatin1String("share/doc/zarvo/")),
               qPrintable(file));
    }
  }

  void packageControl() {
    auto field = [this](const char* name) {
      return Tool(QStringLiteral("dpkg-deb"), {QStringLiteral("-f"), deb_, QLatin1String(name)})
          .out.trimmed();
    };
    QCOMPARE(field("Package"), QStringLiteral("zarvo"));
    QCOMPARE(field("Version"), QStringLiteral(ZARVO_VERSION));
    // Libraries from the binary, and what it loads at run time without linking.
    const QString depends = field("Depends");
    for (const char* package : {"libqt6widgets6", "libqt6dbus6", "libgstreamer1.0-0", "libqt6svg6",
                                "gstreamer1.0-plugins-base", "gstreamer1.0-plugins-good", "fonts-liberation"})
      QVERIFY2(depends.contains(QLatin1String(package)),
               qPrintable(package + QStringLiteral(" missing from ") + depends));
    // Installed as root's files under /usr only.
    const Run contents = Tool(QStringLiteral("dpkg-deb"), {QStringLiteral("-c"), deb_});
    QVERIFY(contents.exitCode == 0);
    for (const QString& line : contents.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
      QVERIFY2(line.contains(QStringLiteral(" root/root ")), qPrintable(line));
      QVERIFY2(line.contains(QStringLiteral(" ./usr/")) || line.endsWith(QStringLiteral(" ./")),
               qPrintable(line));
    }
  }

  // Debian's own checker finds nothing wrong with the package: no error and no warning.
  void lintianIsContent() {
    if (QStandardPaths::findExecutable(QStringLiteral("lintian")).isEmpty())
      QSKIP("lintian is not installed (scripts/setup installs it)");
    const Run lintian =
        Tool(QStringLiteral("lintian"), {QStringLiteral("--fail-on"), QStringLiteral("error,warning"), deb_});
    QVERIFY2(lintian.exitCode == 0, qPrintable(lintian.out));
  }

  void installedProgramOpensItsHelpAndSavesToXdg_data() { roots(); }
  void installedProgramOpensItsHelpAndSavesToXdg() {
    QFETCH(QString, usr);
    QTemporaryDir home;
    QVERIFY(home.isValid());
    // The desktop's opener, replaced by one that notes what it was asked to open.
    const QString opened = home.filePath(QStringLiteral("opened.txt"));
    QVERIFY(QDir(home.path()).mkpath(QStringLiteral("bin")));
    QVERIFY(WriteExecutable(home.filePath(QStringLiteral("bin/xdg-open")),
                            "#!/bin/sh\nprintf '%s\\n' \"$1\" >> '" + opened.toUtf8() + "'\n"));

    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("PATH"),
               home.filePath(QStringLiteral("bin:")) + env.value(QStringLiteral("PATH")));
    env.insert(QStringLiteral("HOME"), home.path());
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), home.filePath(QStringLiteral(".config")));
    // No system-wide installation may stand in for the one under test.
    env.insert(QStringLiteral("XDG_DATA_HOME"), home.filePath(QStringLiteral(".local/share")));
    env.insert(QStringLiteral("XDG_DATA_DIRS"), home.filePath(QStringLiteral("nowhere")));
    env.insert(QStringLiteral("XDG_CURRENT_DESKTOP"), QStringLiteral("X-Generic"));
    // The program's folder takes no new files, as /usr/bin for a user: without that a scratch
    // installation would count as a copy of its own and keep its settings beside itself.
    const QString bin = usr + QStringLiteral("/bin");
    const QFileDevice::Permissions open = QFile::permissions(bin);
    QVERIFY(QFile::setPermissions(bin, open & ~(QFileDevice::WriteOwner | QFileDevice::WriteUser |
                                                QFileDevice::WriteGroup | QFileDevice::WriteOther)));
    const auto reopen = qScopeGuard([&] { QFile::setPermissions(bin, open); });
    const QStringList touch = AsUser({QStringLiteral("touch"), bin + QStringLiteral("/probe")});
    QVERIFY2(Tool(touch.first(), touch.mid(1)).exitCode != 0,
             "the installed program's folder still takes new files");

    QProcess zarvo;
    zarvo.setProcessEnvironment(env);
    zarvo.setWorkingDirectory(home.path()); // as when started from the desktop's menu
    zarvo.setProcessChannelMode(QProcess::ForwardedChannels);
    const QStringList command = AsUser({usr + QStringLiteral("/bin/zarvo")});
    zarvo.start(command.first(), command.mid(1));
    QVERIFY(zarvo.waitForStarted(10000));

    // The group is in place once the settings load has docked the Options window to the main window.
    std::optional<QRect> main;
    const auto placed = [&main] {
      main = FindWindow(QStringLiteral(ZARVO_NAME), QSize(200, 140));
      const std::optional<QRect> options = FindWindow(QStringLiteral("Options"), QSize(200, 280));
      return main && options && options->right() + 1 == main->left() && options->top() == main->top();
    };
    QTRY_VERIFY_WITH_TIMEOUT(placed(), 30000);

    // A right click on the title bar opens the menu; About, then Help, then What's new.
    // A press that comes right after the previous menu closed may be taken as part of closing it,
    // so the click is repeated until the menu shows.
    auto choose = [&](int downs) {
      bool menuOpen = false;
      for (int attempt = 0; attempt < 5 && !menuOpen; ++attempt) {
        if (!Xdotool({QStringLiteral("mousemove"), QString::number(main->x() + 130),
                      QString::number(main->y() + 24), QStringLiteral("click"), QStringLiteral("3")}))
          return false;
        menuOpen = QTest::qWaitFor(MenuIsOpen, 4000);
      }
      QStringList keys(downs, QStringLiteral("Down"));
      return menuOpen && Keys(keys << QStringLiteral("Return"));
    };
    QVERIFY(choose(2));
    QTRY_COMPARE_WITH_TIMEOUT(
        QString::fromUtf8(Read(opened)).trimmed(),
        QUrl::fromLocalFile(usr + QStringLiteral("/share/zarvo/Help/index.html")).toString(), 15000);
    QTRY_VERIFY_WITH_TIMEOUT(!MenuIsOpen(), 10000);
    QVERIFY(choose(3));
    QTRY_COMPARE_WITH_TIMEOUT(
        QString::fromUtf8(Read(opened)).split(QLatin1Char('\n'), Qt::SkipEmptyParts).value(1),
        QUrl::fromLocalFile(usr + QStringLiteral("/share/zarvo/history.txt")).toString(), 15000);

    // The close button quits normally.
    QVERIFY(ClickAt(main->topLeft() + QPoint(179, 8)));
    QVERIFY(zarvo.waitForFinished(20000));
    QCOMPARE(zarvo.exitStatus(), QProcess::NormalExit);
    QCOMPARE(zarvo.exitCode(), 0);

    // Quitting saved the settings in $XDG_CONFIG_HOME/zarvo, as a file that reads back: the
    // main window where it stood and the two satellites shown.
    QVERIFY(!QFileInfo::exists(bin + QStringLiteral("/Settings.ini")));
    const QString saved = home.filePath(QStringLiteral(".config/zarvo/Settings.ini"));
    QVERIFY2(QFileInfo(saved).isFile(), qPrintable(saved));
    QSettings ini(saved, QSettings::IniFormat);
    QCOMPARE(ini.status(), QSettings::NoError);
    QCOMPARE(ini.value(QStringLiteral("Form1/Left")).toInt(), main->x());
    QCOMPARE(ini.value(QStringLiteral("Form1/Top")).toInt(), main->y());
    QCOMPARE(ini.value(QStringLiteral("FormOptions/Visible")).toString(), QStringLiteral("1"));
    QCOMPARE(ini.value(QStringLiteral("FormCounter/Visible")).toString(), QStringLiteral("1"));
    const QStringList keys = ini.allKeys();
    QCOMPARE(keys.size(), 16);
  }
};

QTEST_GUILESS_MAIN(TestInstall)
#include "test_install.moc"
