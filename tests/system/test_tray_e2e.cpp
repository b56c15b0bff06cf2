// The real program on a real X server with a tray host on its session bus: a click on the Hide
// button takes the whole group off the screen and puts "Zarvo" into the tray; the tray's click
// brings every window back where it was and the icon leaves the tray.
#include "tests/support/tray_host.h"
#include "tests/support/zarvo_process.h"

#include <QDBusConnection>
#include <QTest>

using namespace zarvo::test;

class TestTrayEndToEnd : public QObject {
  Q_OBJECT
private slots:
  void hideToTrayAndBack() {
    QVERIFY2(QDBusConnection::sessionBus().isConnected(), "run under tests/support/with-dbus");
    TrayHost host;
    QVERIFY(host.Start());

    ZarvoProcess zarvo;
    QVERIFY(zarvo.IsValid());
    QVERIFY(zarvo.Start());

    const std::optional<ZarvoWindows> w = zarvo.WaitForWindows(ZarvoProcess::Group, 30000);
    QVERIFY(w);
    const std::optional<QRect> main = w->main, options = w->options, counter = w->counter;
    QCOMPARE(host.Items(), QStringList{});

    // The Hide button sits at (155, 0), 13 x 20, on the main window.
    QVERIFY(ClickAt(main->topLeft() + QPoint(161, 10)));
    QTRY_COMPARE_WITH_TIMEOUT(host.Items().size(), 1, 30000);
    const QString item = host.Items().first();
    QCOMPARE(host.ToolTipTitle(item), QStringLiteral("Zarvo"));
    QTRY_VERIFY_WITH_TIMEOUT(!FindWindow(QStringLiteral("Zarvo"), QSize(200, 140)) &&
                                 !FindWindow(QStringLiteral("Options"), QSize(200, 280)) &&
                                 !FindWindow(QStringLiteral("Counter"), QSize(200, 140)),
                             30000);

    const QDBusMessage r = host.Call(item, QStringLiteral("Activate"));
    QVERIFY2(r.type() == QDBusMessage::ReplyMessage, qPrintable(r.errorMessage()));
    QTRY_VERIFY_WITH_TIMEOUT(FindWindow(QStringLiteral("Zarvo"), QSize(200, 140)) == main &&
                                 FindWindow(QStringLiteral("Options"), QSize(200, 280)) == options &&
                                 FindWindow(QStringLiteral("Counter"), QSize(200, 140)) == counter,
                             30000);
    QTRY_COMPARE_WITH_TIMEOUT(host.Items(), QStringList{}, 30000);
    QVERIFY(zarvo.IsRunning());

    QVERIFY(zarvo.Terminate());
  }
};

QTEST_MAIN(TestTrayEndToEnd)
#include "test_tray_e2e.moc"
