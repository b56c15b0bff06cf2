// The real zarvo binary on a real X server: its windows appear at their sizes, docked, and it quits cleanly.
#include "tests/support/zarvo_process.h"

#include <QTest>

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
};

QTEST_GUILESS_MAIN(TestStartup)
#include "test_startup.moc"
