// The real zarvo binary on a real X server: its windows appear at their sizes, docked, and it quits cleanly.
#include "tests/system/x_session.h"

#include <QProcess>
#include <QTest>

using namespace zarvo::test;

class TestStartup : public QObject {
  Q_OBJECT
private slots:
  void mainWindowAppearsDockedAndQuits() {
    QProcess zarvo;
    zarvo.setProcessChannelMode(QProcess::ForwardedChannels);
    zarvo.start(QStringLiteral(ZARVO_BINARY), {});
    QVERIFY(zarvo.waitForStarted(10000));

    std::optional<QRect> main, options, counter;
    QTRY_VERIFY_WITH_TIMEOUT((main = FindWindow(QStringLiteral("Zarvo"), QSize(200, 140))) &&
                                 (options = FindWindow(QStringLiteral("Options"), QSize(200, 280))) &&
                                 (counter = FindWindow(QStringLiteral("Counter"), QSize(200, 140))),
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
