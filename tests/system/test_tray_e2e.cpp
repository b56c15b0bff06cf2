// The real program on a real X server with a tray host on its session bus.
#include "tests/support/tray_host.h"
#include "tests/support/zarvo_process.h"

#include <QDBusConnection>
#include <QTest>

using namespace zarvo::test;

class TestTrayEndToEnd : public QObject {
  Q_OBJECT
private slots:
  // Hide puts the icon into the tray and takes the group off the screen. A tray that opens the
  // item's menu itself (as Xfce's does on a right click) shows the program's main menu with its
  // check marks as they stand, and its clicks reach the program. The tray's click brings every
  // window back where it was, and the icon leaves the tray.
  void hideUseTheTrayMenuAndComeBack() {
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

    QString error;
    TrayMenuEntry menu = host.Menu(item, &error);
    QVERIFY2(error.isEmpty(), qPrintable(error));
    QStringList top;
    for (const TrayMenuEntry& e : menu.children)
      top << e.label;
    QCOMPARE(top,
             (QStringList{QStringLiteral("About"), QStringLiteral("Help"), QStringLiteral("What's new"),
                          QString(), QStringLiteral("View"), QStringLiteral("Options"), QStringLiteral("Run"),
                          QStringLiteral("Transparent"), QString(), QStringLiteral("Exit")}));
    QVERIFY(menu.Find({QStringLiteral("Run"), QStringLiteral("Shut Down")}));
    const TrayMenuEntry* force = menu.Find({QStringLiteral("Options"), QStringLiteral("Force Shut Down")});
    QVERIFY(force);
    QCOMPARE(force->toggleType, QStringLiteral("checkmark"));
    QCOMPARE(force->toggleState, 1);
    const TrayMenuEntry* opaque = menu.Find({QStringLiteral("Transparent"), QStringLiteral("Disabled")});
    QVERIFY(opaque);
    QCOMPARE(opaque->toggleType, QStringLiteral("radio"));
    QCOMPARE(opaque->toggleState, 1);
    const TrayMenuEntry* low = menu.Find({QStringLiteral("Transparent"), QStringLiteral("Low")});
    QVERIFY(low && low->toggleState == 0);

    // A click on a check item flips it, one on a radio item moves the mark; the menu says so.
    QDBusMessage r = host.ClickMenuEntry(item, force->id);
    QVERIFY2(r.type() == QDBusMessage::ReplyMessage, qPrintable(r.errorMessage()));
    r = host.ClickMenuEntry(item, low->id);
    QVERIFY2(r.type() == QDBusMessage::ReplyMessage, qPrintable(r.errorMessage()));
    const auto state = [&](const QStringList& path) {
      QString e;
      const TrayMenuEntry now = host.Menu(item, &e);
      const TrayMenuEntry* entry = now.Find(path);
      return entry ? entry->toggleState : -2;
    };
    QTRY_COMPARE_WITH_TIMEOUT(state({QStringLiteral("Options"), QStringLiteral("Force Shut Down")}), 0,
                              30000);
    QTRY_COMPARE_WITH_TIMEOUT(state({QStringLiteral("Transparent"), QStringLiteral("Low")}), 1, 30000);
    QCOMPARE(state({QStringLiteral("Transparent"), QStringLiteral("Disabled")}), 0);

    // About opens the About window.
    r = host.ClickMenuEntry(item, menu.Find({QStringLiteral("About")})->id);
    QVERIFY2(r.type() == QDBusMessage::ReplyMessage, qPrintable(r.errorMessage()));
    QTRY_VERIFY_WITH_TIMEOUT(FindWindow(QStringLiteral("FormAbout"), QSize(200, 200)), 30000);

    QDBusMessage back = host.Call(item, QStringLiteral("Activate"));
    QVERIFY2(back.type() == QDBusMessage::ReplyMessage, qPrintable(back.errorMessage()));
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
