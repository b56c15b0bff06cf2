// The files an installation carries, checked as the desktop's own tools check them: the desktop
// entry, the AppStream metainfo, the manual page, the Help page and the change history.
#include "project_info.h"
#include "tests/support/test_support.h"

#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QMap>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QTest>

using namespace zarvo::test;

namespace {

struct Run {
  int exitCode = -1;
  QString out, err;
};

Run Tool(const QString& program, const QStringList& arguments, const QMap<QString, QString>& env = {}) {
  QProcess p;
  QProcessEnvironment e = QProcessEnvironment::systemEnvironment();
  for (auto it = env.begin(); it != env.end(); ++it)
    e.insert(it.key(), it.value());
  p.setProcessEnvironment(e);
  p.start(program, arguments);
  Run r;
  if (!p.waitForFinished(60000)) {
    r.err = program + QStringLiteral(" did not finish: ") + p.errorString();
    return r;
  }
  r.exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
  r.out = QString::fromUtf8(p.readAllStandardOutput());
  r.err = QString::fromUtf8(p.readAllStandardError());
  return r;
}

QString Read(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

QString Built(const QString& name) { return BinaryDir() + QStringLiteral("/packaging/") + name; }

// The groups of a desktop entry, each a map of its keys.
QMap<QString, QMap<QString, QString>> DesktopGroups(const QString& text) {
  QMap<QString, QMap<QString, QString>> groups;
  QString group;
  for (const QString& line : text.split(QLatin1Char('\n'))) {
    if (line.startsWith(QLatin1Char('[')) && line.endsWith(QLatin1Char(']')))
      group = line.mid(1, line.size() - 2);
    else if (const qsizetype eq = line.indexOf(QLatin1Char('='));
             eq > 0 && !line.startsWith(QLatin1Char('#')))
      groups[group][line.left(eq)] = line.mid(eq + 1);
  }
  return groups;
}

QString FirstCapture(const QString& text, const QString& pattern) {
  return QRegularExpression(pattern, QRegularExpression::MultilineOption).match(text).captured(1);
}

const QStringList kActionWords = {QStringLiteral("shutdown"), QStringLiteral("restart"),
                                  QStringLiteral("logoff"), QStringLiteral("standby"),
                                  QStringLiteral("hibernate")};

} // namespace

class TestPackaging : public QObject {
  Q_OBJECT
private slots:
  void desktopEntry() {
    const QString file = Built(QStringLiteral(ZARVO_APP_ID ".desktop"));
    const Run check = Tool(QStringLiteral("desktop-file-validate"), {file});
    QVERIFY2(check.exitCode == 0 && check.out.trimmed().isEmpty() && check.err.trimmed().isEmpty(),
             qPrintable(check.out + check.err));

    const auto groups = DesktopGroups(Read(file));
    const auto entry = groups.value(QStringLiteral("Desktop Entry"));
    QCOMPARE(entry.value(QStringLiteral("Exec")), QStringLiteral("zarvo"));
    QCOMPARE(entry.value(QStringLiteral("Icon")), QStringLiteral(ZARVO_APP_ID));
    const QStringList categories = entry.value(QStringLiteral("Categories")).split(QLatin1Char(';'));
    QVERIFY(categories.contains(QStringLiteral("Utility")) && categories.contains(QStringLiteral("Clock")));
    const QStringList keywords = entry.value(QStringLiteral("Keywords")).split(QLatin1Char(';'));
    for (const char* word : {"shutdown", "timer", "countdown", "sleep", "stopwatch"})
      QVERIFY2(keywords.contains(QLatin1String(word)), word);
    // Each quick action runs the command line's action word; the program asks before acting.
    QStringList actions = entry.value(QStringLiteral("Actions")).split(QLatin1Char(';'), Qt::SkipEmptyParts);
    QCOMPARE(actions, kActionWords);
    for (const QString& word : kActionWords) {
      const auto action = groups.value(QStringLiteral("Desktop Action ") + word);
      QCOMPARE(action.value(QStringLiteral("Exec")), QStringLiteral("zarvo ") + word);
      QVERIFY(action.value(QStringLiteral("Name")).endsWith(QStringLiteral(" Now")));
    }
    // The window's class names the entry, so docks put the running program under its icon.
    QCOMPARE(entry.value(QStringLiteral("StartupWMClass")), QStringLiteral(ZARVO_NAME));
  }

  void metainfo() {
    const QString file = Built(QStringLiteral(ZARVO_APP_ID ".metainfo.xml"));
    const Run check =
        Tool(QStringLiteral("appstreamcli"),
             {QStringLiteral("validate"), QStringLiteral("--no-net"), QStringLiteral("--no-color"), file});
    QVERIFY2(check.exitCode == 0, qPrintable(check.out + check.err));
    // Warnings fail too; only pedantic remarks (such as the capital in the id) may remain.
    QVERIFY2(!check.out.contains(
                 QRegularExpression(QStringLiteral("^[EW]:"), QRegularExpression::MultilineOption)),
             qPrintable(check.out));

    const QString xml = Read(file);
    QCOMPARE(FirstCapture(xml, QStringLiteral("<id>([^<]*)</id>")), QStringLiteral(ZARVO_APP_ID));
    QCOMPARE(FirstCapture(xml, QStringLiteral("<launchable type=\"desktop-id\">([^<]*)<")),
             QStringLiteral(ZARVO_APP_ID ".desktop"));
    QCOMPARE(FirstCapture(xml, QStringLiteral("<binary>([^<]*)</binary>")), QStringLiteral("zarvo"));
    QVERIFY(xml.contains(QStringLiteral("<content_rating type=\"oars-1.1\"")));
    QVERIFY(xml.contains(QStringLiteral("<screenshot type=\"default\">")));
    // The software centre is told the size of the picture the README and the Help page show, and
    // that picture stays small enough to download with the data.
    const QString screenshot = SourceDir() + QStringLiteral("/docs/screenshot.png");
    const QSize size = QImageReader(screenshot).size();
    QVERIFY(size.width() > 600 && size.height() > 250);
    const QRegularExpressionMatch image =
        QRegularExpression(QStringLiteral("<image type=\"source\" width=\"(\\d+)\" height=\"(\\d+)\">"))
            .match(xml);
    QCOMPARE(QSize(image.captured(1).toInt(), image.captured(2).toInt()), size);
    QVERIFY(QFileInfo(screenshot).size() < 400 * 1024);
  }

  // One licence, said the same way by the licence file, the software centre's data and the
  // package's copyright file (in Debian's machine-readable form, where MIT is named Expat).
  void licence() {
    const QString licence = Read(SourceDir() + QStringLiteral("/LICENSE"));
    QVERIFY(licence.startsWith(QStringLiteral("MIT License\n\nCopyright (c) ")));
    const QString holder = FirstCapture(licence, QStringLiteral("^Copyright \\(c\\) ([^\n]+)$"));
    QVERIFY2(holder.endsWith(QStringLiteral(" " ZARVO_AUTHOR)), qPrintable(holder));
    QVERIFY(licence.contains(QStringLiteral("THE SOFTWARE IS PROVIDED \"AS IS\"")));

    QCOMPARE(FirstCapture(Read(Built(QStringLiteral(ZARVO_APP_ID ".metainfo.xml"))),
                          QStringLiteral("<project_license>([^<]*)</project_license>")),
             QStringLiteral("MIT"));

    const QString copyright = Read(Built(QStringLiteral("copyright")));
    QVERIFY(copyright.startsWith(
        QStringLiteral("Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/\n")));
    QCOMPARE(FirstCapture(copyright, QStringLiteral("^Copyright: ([^\n]+)$")), holder);
    QCOMPARE(FirstCapture(copyright, QStringLiteral("^Files: \\*\nCopyright: [^\n]+\nLicense: (\\S+)$")),
             QStringLiteral("Expat"));
    // The licence's terms, folded as the format wants: each line indented, empty lines as " .".
    QString terms = licence.mid(licence.indexOf(QStringLiteral("\n\nPermission")) + 2).trimmed();
    terms.replace(QStringLiteral("\n\n"), QStringLiteral("\n.\n"))
        .replace(QStringLiteral("\n"), QStringLiteral("\n "));
    QVERIFY2(copyright.endsWith(QStringLiteral("\n\nLicense: Expat\n ") + terms + QStringLiteral("\n")),
             qPrintable(copyright));
  }

  // The program's version, the newest release of the software centre's data and the newest entry
  // of the change history are one and the same, so a release never ships with a stale history.
  void releasesAgree() {
    const QString history = Read(SourceDir() + QStringLiteral("/history.txt"));
    const QRegularExpressionMatch newest =
        QRegularExpression(QStringLiteral("^(\\d+\\.\\d+\\.\\d+) \\((\\d{4}-\\d\\d-\\d\\d)\\)$"),
                           QRegularExpression::MultilineOption)
            .match(history);
    QVERIFY2(newest.hasMatch(), "history.txt names no release as \"1.2.3 (yyyy-mm-dd)\"");
    QCOMPARE(newest.captured(1), QStringLiteral(ZARVO_VERSION));

    const QString xml = Read(Built(QStringLiteral(ZARVO_APP_ID ".metainfo.xml")));
    const QRegularExpressionMatch release =
        QRegularExpression(QStringLiteral("<release version=\"([^\"]+)\" date=\"([^\"]+)\"")).match(xml);
    QCOMPARE(release.captured(1), newest.captured(1));
    QCOMPARE(release.captured(2), newest.captured(2));
    QVERIFY(Read(Built(QStringLiteral("zarvo.1")))
                .startsWith(
                    QStringLiteral(".TH ZARVO 1 \"%1\" \"%2 %3\"")
                        .arg(newest.captured(2), QStringLiteral(ZARVO_NAME), QStringLiteral(ZARVO_VERSION))));
  }

  void manPage() {
    // man's own check: groff warnings (bad requests, lines it cannot fill) are printed to stderr.
    const Run page = Tool(QStringLiteral("man"),
                          {QStringLiteral("--warnings"), QStringLiteral("-E"), QStringLiteral("UTF-8"),
                           QStringLiteral("-l"), Built(QStringLiteral("zarvo.1"))},
                          {{QStringLiteral("MANWIDTH"), QStringLiteral("80")},
                           {QStringLiteral("LC_ALL"), QStringLiteral("C.UTF-8")}});
    QVERIFY2(page.exitCode == 0 && page.err.trimmed().isEmpty(), qPrintable(page.err));
    for (const char* section :
         {"NAME", "SYNOPSIS", "DESCRIPTION", "ACTIONS", "OPTIONS", "FILES", "EXIT STATUS"})
      QVERIFY2(page.out.contains(QRegularExpression(QStringLiteral("^%1$").arg(QLatin1String(section)),
                                                    QRegularExpression::MultilineOption)),
               section);
    for (const QString& word : kActionWords)
      QVERIFY2(page.out.contains(QRegularExpression(QStringLiteral("^\\s+") + word + QStringLiteral("\\b"),
                                                    QRegularExpression::MultilineOption)),
               qPrintable(word));
    for (const char* text : {"--help", "--version", "Settings.ini", "XDG_CONFIG_HOME", "polkit"})
      QVERIFY2(page.out.contains(QLatin1String(text)), text);
  }

  // The Help page opens from disk with no network: nothing is loaded from elsewhere, every picture
  // it shows is installed beside it, and every link inside the page has its target.
  void helpPage() {
    const QString help = Read(BinaryDir() + QStringLiteral("/share/zarvo/Help/index.html"));
    QVERIFY2(!help.isEmpty(), "the Help page is not placed beside the built program");
    QVERIFY(!help.contains(QRegularExpression(QStringLiteral("(src|href)=\"(https?:)?//"))));
    QVERIFY(!help.contains(QStringLiteral("<script")));

    const QRegularExpression source(QStringLiteral("src=\"([^\"]+)\""));
    for (auto it = source.globalMatch(help); it.hasNext();) {
      const QString file = it.next().captured(1);
      QVERIFY2(QFile::exists(BinaryDir() + QStringLiteral("/share/zarvo/Help/") + file), qPrintable(file));
    }
    QSet<QString> ids;
    const QRegularExpression id(QStringLiteral("id=\"([^\"]+)\""));
    for (auto it = id.globalMatch(help); it.hasNext();)
      ids.insert(it.next().captured(1));
    const QRegularExpression anchor(QStringLiteral("href=\"#([^\"]+)\""));
    int links = 0;
    for (auto it = anchor.globalMatch(help); it.hasNext(); ++links) {
      const QString target = it.next().captured(1);
      QVERIFY2(ids.contains(target),
               qPrintable(QStringLiteral("#") + target + QStringLiteral(" leads nowhere")));
    }
    QVERIFY(links > 10);
    // It speaks of every window, the command line and where the settings live.
    for (const char* text : {"Options window", "Counter", "time-only window", "message window",
                             "About window", "Settings.ini", "zarvo shutdown", "polkit", "XWayland"})
      QVERIFY2(help.contains(QLatin1String(text)), text);
  }
};

QTEST_GUILESS_MAIN(TestPackaging)
#include "test_packaging.moc"
