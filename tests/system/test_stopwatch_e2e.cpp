// The real program's stopwatch on a real X server: Start makes the display run for a second, Pause
// holds it at a value other than zero, Pause again resumes it and Stop keeps the last value.
#include "tests/support/test_support.h"
#include "tests/support/zarvo_process.h"

#include <QElapsedTimer>
#include <QImage>
#include <QProcess>
#include <QTest>

using namespace zarvo::test;

namespace {

// The screen's pixels in `area`, grabbed from the X server.
QImage Grab(QRect area) {
  QProcess p;
  p.start(QStringLiteral("import"),
          {QStringLiteral("-window"), QStringLiteral("root"), QStringLiteral("-crop"),
           QStringLiteral("%1x%2+%3+%4").arg(area.width()).arg(area.height()).arg(area.x()).arg(area.y()),
           QStringLiteral("+repage"), QStringLiteral("png:-")});
  if (!p.waitForFinished(20000) || p.exitCode() != 0)
    return {};
  return QImage::fromData(p.readAllStandardOutput(), "PNG").convertToFormat(QImage::Format_RGB32);
}

// Whether what `area` shows differs from `before` (a failed grab counts as no change).
bool Differs(QRect area, const QImage& before) {
  const QImage now = Grab(area);
  return !before.isNull() && !now.isNull() && now != before;
}

// Whether the display changes within `ms`.
bool Changes(QRect area, int ms) {
  const QImage before = Grab(area);
  return !before.isNull() && WaitUntil([&] { return Differs(area, before); }, ms);
}

// Whether the display holds still for `ms`.
bool Holds(QRect area, int ms) {
  const QImage before = Grab(area);
  return !before.isNull() && ExpectNothingFor(ms, [&] { return Differs(area, before); });
}

// Whether the digits are drawn: lime pixels in the area.
bool ShowsDigits(QRect area) {
  const QImage image = Grab(area);
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) {
      const QColor c = image.pixelColor(x, y);
      if (c.green() > 200 && c.red() < 80 && c.blue() < 80)
        return true;
    }
  return false;
}

} // namespace

class TestStopwatchEndToEnd : public QObject {
  Q_OBJECT
private slots:
  void countsForASecondAndPauses() {
    ZarvoProcess zarvo;
    QVERIFY(zarvo.IsValid());
    QVERIFY(zarvo.Start());

    // The settings load docks the group; the Counter's place is known once the Options window is docked.
    const std::optional<ZarvoWindows> windows =
        zarvo.WaitForWindows(ZarvoProcess::Counter | ZarvoProcess::OptionsDocked, 20000);
    QVERIFY(windows);
    const QPoint at = windows->counter->topLeft();
    const QRect display(at + QPoint(31, 57), QSize(140, 30));
    QTRY_VERIFY_WITH_TIMEOUT(ShowsDigits(display), 20000);
    const QPoint start = at + QPoint(135 + 30, 95 + 17), pause = at + QPoint(71 + 30, 95 + 17),
                 stop = at + QPoint(7 + 30, 95 + 17);

    // Stopped: the display stands still.
    QVERIFY(Holds(display, 300));
    const QImage zero = Grab(display);

    QElapsedTimer counted;
    QVERIFY(ClickAt(start));
    counted.start();
    // Counting: the hundredths run (grabs take a while on a loaded machine, so allow a few tries).
    QTRY_VERIFY_WITH_TIMEOUT(Changes(display, 150), 10000);
    QTRY_VERIFY_WITH_TIMEOUT(counted.elapsed() >= 1000, 10000);
    QVERIFY(ClickAt(pause));
    const qint64 upToPause = counted.elapsed();

    // Paused: the display holds (once the click and the last repaint have landed), and it is no
    // longer zero.
    QTRY_VERIFY_WITH_TIMEOUT(Holds(display, 600), 10000);
    const QImage held = Grab(display);
    QVERIFY(held != zero);
    QVERIFY2(upToPause >= 1000, qPrintable(QString::number(upToPause)));

    // Resumed by Pause, then stopped: the last value stays.
    QVERIFY(ClickAt(pause));
    QTRY_VERIFY_WITH_TIMEOUT(Changes(display, 150), 10000);
    QVERIFY(ClickAt(stop));
    QTRY_VERIFY_WITH_TIMEOUT(Holds(display, 600), 10000);
    QVERIFY(Grab(display) != held);
    QVERIFY(zarvo.IsRunning());

    QVERIFY(zarvo.Terminate());
  }
};

QTEST_GUILESS_MAIN(TestStopwatchEndToEnd)
#include "test_stopwatch_e2e.moc"
