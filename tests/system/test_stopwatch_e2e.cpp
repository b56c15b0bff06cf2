// The real program's stopwatch on a real X server: Start makes the display run for a second, Pause
// holds it at a value other than zero, Pause again resumes it and Stop keeps the last value.
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

// Whether the display changes within `ms` (two grabs that far apart differ).
bool Changes(QRect area, int ms) {
  const QImage before = Grab(area);
  QTest::qWait(ms);
  const QImage after = Grab(area);
  return !before.isNull() && !after.isNull() && before != after;
}

} // namespace

class TestStopwatchEndToEnd : public QObject {
  Q_OBJECT
private slots:
  void countsForASecondAndPauses() {
    ZarvoProcess zarvo;
    QVERIFY(zarvo.IsValid());
    QVERIFY(zarvo.Start());

    QVERIFY(zarvo.WaitForWindows(ZarvoProcess::Counter, 20000));
    std::optional<QRect> counter;
    QTest::qWait(500); // the settings load places the group and the windows paint
    QTRY_VERIFY_WITH_TIMEOUT((counter = FindWindow(QStringLiteral("Counter"), QSize(200, 140))), 20000);
    const QPoint at = counter->topLeft();
    const QRect display(at + QPoint(31, 57), QSize(140, 30));
    const QPoint start = at + QPoint(135 + 30, 95 + 17), pause = at + QPoint(71 + 30, 95 + 17),
                 stop = at + QPoint(7 + 30, 95 + 17);

    // Stopped: the display stands still.
    QVERIFY(!Changes(display, 300));
    const QImage zero = Grab(display);

    QElapsedTimer counted;
    QVERIFY(ClickAt(start));
    counted.start();
    // Counting: the hundredths run (grabs take a while on a loaded machine, so allow a few tries).
    QTRY_VERIFY_WITH_TIMEOUT(Changes(display, 150), 10000);
    while (counted.elapsed() < 1000)
      QTest::qWait(50);
    QVERIFY(ClickAt(pause));
    const qint64 upToPause = counted.elapsed();

    // Paused: the display holds, and it is no longer zero.
    QTest::qWait(200); // the click and the last repaint land
    QTRY_VERIFY_WITH_TIMEOUT(!Changes(display, 600), 10000);
    const QImage held = Grab(display);
    QVERIFY(held != zero);
    QVERIFY2(upToPause >= 1000, qPrintable(QString::number(upToPause)));

    // Resumed by Pause, then stopped: the last value stays.
    QVERIFY(ClickAt(pause));
    QTRY_VERIFY_WITH_TIMEOUT(Changes(display, 150), 10000);
    QVERIFY(ClickAt(stop));
    QTest::qWait(200);
    QTRY_VERIFY_WITH_TIMEOUT(!Changes(display, 600), 10000);
    QVERIFY(Grab(display) != held);
    QVERIFY(zarvo.IsRunning());

    QVERIFY(zarvo.Terminate());
  }
};

QTEST_GUILESS_MAIN(TestStopwatchEndToEnd)
#include "test_stopwatch_e2e.moc"
