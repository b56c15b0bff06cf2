// The real zarvo binary on a real X server: its windows appear at their sizes, docked, and it quits cleanly.
#include "tests/support/zarvo_process.h"

#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <QTest>

namespace {

// The shared objects a running process has mapped, by file name.
QSet<QString> MappedLibraries(qint64 pid) {
  QFile maps(QStringLiteral("/proc/%1/maps").arg(pid));
  QSet<QString> names;
  if (!maps.open(QIODevice::ReadOnly))
    return names;
  static const QRegularExpression path(QStringLiteral("(/\\S+\\.so[.0-9]*)$"));
  for (const QByteArray& line : maps.readAll().split('\n'))
    if (const QRegularExpressionMatch m = path.match(QString::fromLocal8Bit(line)); m.hasMatch())
      names << m.captured(1);
  return names;
}

} // namespace

using namespace zarvo::test;

class TestStartup : public QObject {
  Q_OBJECT
private slots:
  void mainWindowAppearsDockedAndQuits() {
    ZarvoProcess zarvo;
    QVERIFY(zarvo.IsValid());
    QVERIFY(zarvo.Start());

    const std::optional<ZarvoWindows> w = zarvo.WaitForWindows(ZarvoProcess::Group, 20000);
    QVERIFY(w);
    // Options flush to the left of the main window, the Counter flush below it.
    QCOMPARE(w->options->topLeft(), w->main->topLeft() - QPoint(200, 0));
    QCOMPARE(w->counter->topLeft(), w->main->topLeft() + QPoint(0, 140));
    QVERIFY(zarvo.IsRunning());

    QVERIFY(zarvo.Terminate());
  }

  // The satellites follow the main window's first picture. A main window stored off the screen is
  // never painted (the server exposes nothing of it): they come all the same, where they were left.
  void satellitesComeAlsoWhenTheMainWindowIsOffTheScreen() {
    ZarvoProcess zarvo;
    QVERIFY(zarvo.IsValid());
    QVERIFY(zarvo.WriteSettings("[Form1]\nLeft=4000\nTop=3000\n[FormOptions]\nLeft=10\nTop=10\n"
                                "[FormCounter]\nLeft=300\nTop=10\n"));
    QVERIFY(zarvo.Start());
    const std::optional<ZarvoWindows> w = zarvo.WaitForWindows(ZarvoProcess::Group, 20000);
    QVERIFY(w);
    QCOMPARE(w->main->topLeft(), QPoint(4000, 3000));
    QCOMPARE(w->options->topLeft(), QPoint(10, 10));
    QCOMPARE(w->counter->topLeft(), QPoint(300, 10));
    QVERIFY(zarvo.Terminate());
  }

  // What the start costs: the skin is decoded without Qt's image plugins, and the sound stack waits
  // for the first sound. Guessing a picture's format, anywhere, would load every image plugin there is.
  void startsWithoutTheSoundStackOrImagePlugins() {
    ZarvoProcess zarvo;
    QVERIFY(zarvo.IsValid());
    QVERIFY(zarvo.Start());
    QVERIFY(zarvo.WaitForWindows(ZarvoProcess::Group, 20000));

    const QSet<QString> libraries = MappedLibraries(zarvo.Process().processId());
    QStringList imagePlugins, sound;
    for (const QString& library : libraries) {
      if (library.contains(QLatin1String("/imageformats/")))
        imagePlugins << library.section(QLatin1Char('/'), -1);
      if (library.contains(QLatin1String("libgst")) || library.contains(QLatin1String("libpulse")) ||
          library.contains(QLatin1String("zarvo_sound")))
        sound << library.section(QLatin1Char('/'), -1);
    }
    QVERIFY2(!libraries.isEmpty(), "the process's mappings could not be read");
    QVERIFY2(imagePlugins.isEmpty(), qPrintable(imagePlugins.join(QLatin1Char(' '))));
    QVERIFY2(sound.isEmpty(), qPrintable(sound.join(QLatin1Char(' '))));
    QVERIFY(zarvo.Terminate());
  }
};

QTEST_GUILESS_MAIN(TestStartup)
#include "test_startup.moc"
