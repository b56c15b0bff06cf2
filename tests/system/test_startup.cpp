// The real zarvo binary on a real X server: its windows appear at their sizes, docked, and it quits cleanly.
#include "tests/support/test_support.h"

#include <QProcess>
#include <QRegularExpression>
#include <QTest>

namespace {

struct Window {
  QString name;
  QRect geometry;
};

// Top-level windows as the X server knows them, from xwininfo.
QList<Window> XWindows() {
  QProcess p;
  p.start(QStringLiteral("xwininfo"), {QStringLiteral("-root"), QStringLiteral("-tree")});
  p.waitForFinished(5000);
  QList<Window> windows;
  static const QRegularExpression line(QStringLiteral("0x[0-9a-f]+ \"([^\"]*)\".*\\s(\\d+)x(\\d+)\\+(-?\\d+)\\+(-?\\d+)"));
  for (const QString& l : QString::fromLocal8Bit(p.readAllStandardOutput()).split(QLatin1Char('\n'))) {
    const QRegularExpressionMatch m = line.match(l);
    if (m.hasMatch())
      windows.append({m.captured(1), QRect(m.captured(4).toInt(), m.captured(5).toInt(), m.captured(2).toInt(),
                                           m.captured(3).toInt())});
  }
  return windows;
}

std::optional<QRect> Find(const QString& name, QSize size) {
  for (const Window& w : XWindows())
    if (w.name.startsWith(name) && w.geometry.size() == size)
      return w.geometry;
  return std::nullopt;
}

} // namespace

class TestStartup : public QObject {
  Q_OBJECT
private slots:
  void mainWindowAppearsDockedAndQuits() {
    QProcess zarvo;
    zarvo.setProcessChannelMode(QProcess::ForwardedChannels);
    zarvo.start(QStringLiteral(ZARVO_BINARY), {});
    QVERIFY(zarvo.waitForStarted(10000));

    std::optional<QRect> main, options, counter;
    QTRY_VERIFY_WITH_TIMEOUT((main = Find(QStringLiteral("Zarvo"), QSize(200, 140))) &&
                                 (options = Find(QStringLiteral("Options"), QSize(200, 280))) &&
                                 (counter = Find(QStringLiteral("Counter"), QSize(200, 140))),
                             20000);
    // Options flush to the left of the main window, the Counter flush below it.
    QCOMPARE(options->topLeft(), main->topLeft() - QPoint(200, 0));
    QCOMPARE(counter->topLeft(), main->topLeft() + QPoint(0, 140));
    QCOMPARE(zarvo.state(), QProcess::Running);

    zarvo.terminate();
    QVERIFY(zarvo.waitForFinished(10000));
  }
};

QTEST_GUILESS_MAIN(TestStartup)
#include "test_startup.moc"
