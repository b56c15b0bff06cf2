// Hide to the tray on a real X server with a tray host on a private session bus: the icon
// registers as a StatusNotifierItem with the tooltip "Zarvo", the group leaves the screen, and
// the tray's click brings every window back where it was and takes the icon away. (A disabled
// icon's clicks are the tray icon component's own test.)
#include "tests/support/tray_host.h"
#include "zarvo_fixture.h"

#include <QAction>
#include <QDBusConnection>

using namespace zarvo;
using namespace zarvo::test;

namespace {

QMenu* MainMenu(const Zarvo& z) { return Control<QMenu>(z.Main(), QStringLiteral("PopupMenu1")); }

} // namespace

class TestHideToTray : public QObject {
  Q_OBJECT
private slots:
  void initTestCase() {
    QVERIFY2(QDBusConnection::sessionBus().isConnected(), "run under tests/support/with-dbus");
    QVERIFY(host_.Start());
    QVERIFY(TCoolTrayIcon::TrayAvailable());
  }

  void hideRegistersTheIconAndItsClickBringsTheGroupBack() {
    Zarvo z;
    QVERIFY(QTest::qWaitForWindowExposed(z.Main()));
    const QRect main = z.Main()->geometry();
    const QRect options = z.OptionsWindow()->geometry();
    const QRect counter = z.CounterWindow()->geometry();
    QCOMPARE(host_.Items(), QStringList{});

    Press(z.Main(), QStringLiteral("Hide"));
    for (QWidget* w : z.Group())
      QVERIFY2(!w->isVisible(), qPrintable(w->objectName()));
    QTRY_COMPARE_WITH_TIMEOUT(host_.Items().size(), 1, 20000);
    const QString item = host_.Items().first();
    QCOMPARE(host_.ToolTipTitle(item), QStringLiteral("Zarvo"));
    QCOMPARE(host_.Property(item, QStringLiteral("Status")).toString(), QStringLiteral("Active"));

    // The tray's left click.
    const QDBusMessage r = host_.Call(item, QStringLiteral("Activate"));
    QVERIFY2(r.type() == QDBusMessage::ReplyMessage, qPrintable(r.errorMessage()));
    QTRY_VERIFY_WITH_TIMEOUT(z.Main()->isVisible(), 20000);
    QVERIFY(z.OptionsWindow()->isVisible());
    QVERIFY(z.CounterWindow()->isVisible());
    QVERIFY(!z.TimeWindow()->isVisible()); // it was not shown before
    QTRY_COMPARE(z.Main()->geometry(), main);
    QTRY_COMPARE(z.OptionsWindow()->geometry(), options);
    QTRY_COMPARE(z.CounterWindow()->geometry(), counter);
    QTRY_COMPARE_WITH_TIMEOUT(host_.Items(), QStringList{}, 20000);
  }

  void rightClickOpensTheMainMenuAndOnlyShownWindowsReturn() {
    Zarvo z;
    QVERIFY(QTest::qWaitForWindowExposed(z.Main()));
    Press(z.Main(), QStringLiteral("Counter")); // the Counter window was hidden before: it stays hidden
    QVERIFY(!z.CounterWindow()->isVisible());
    Press(z.Main(), QStringLiteral("Hide"));
    QTRY_COMPARE_WITH_TIMEOUT(host_.Items().size(), 1, 20000);
    const QString item = host_.Items().first();

    host_.Call(item, QStringLiteral("ContextMenu"), 50, 50);
    QTRY_VERIFY_WITH_TIMEOUT(MainMenu(z)->isVisible(), 20000);
    QVERIFY(!z.Main()->isVisible()); // the menu opens over the desktop, the group stays away
    MainMenu(z)->hide();

    // A middle click is no click. (A call returns once the item has handled it.)
    host_.Call(item, QStringLiteral("SecondaryActivate"));
    QVERIFY(!z.Main()->isVisible());

    host_.Call(item, QStringLiteral("Activate"));
    QTRY_VERIFY_WITH_TIMEOUT(z.Main()->isVisible(), 20000);
    QVERIFY(z.OptionsWindow()->isVisible());
    QVERIFY(!z.CounterWindow()->isVisible());
  }

  // The message step brings the application back from the tray; the icon stays until clicked.
  void expiryWithMessageRestoresAndTheIconStays() {
    Zarvo z;
    QVERIFY(QTest::qWaitForWindowExposed(z.Main()));
    z.dialogs.nextInputs << QStringLiteral("Time is up");
    z.ClickOption(TFormOptions::MessageRow);
    z.PressStart();
    Press(z.Main(), QStringLiteral("Hide"));
    QVERIFY(!z.Main()->isVisible());
    QTRY_COMPARE_WITH_TIMEOUT(host_.Items().size(), 1, 20000);
    z.TickToExpiry();
    QVERIFY(!z.Counting());
    QVERIFY(z.Main()->isVisible());
    QVERIFY(z.OptionsWindow()->isVisible());
    QVERIFY(z.MessageWindow()->isVisible());
    QVERIFY(ExpectNothingFor(200, [&] { return host_.Items().size() != 1; }));
    host_.Call(host_.Items().first(), QStringLiteral("Activate"));
    QTRY_COMPARE_WITH_TIMEOUT(host_.Items(), QStringList{}, 20000);
    QVERIFY(z.Main()->isVisible());
  }

  // Without the message step the countdown expires in the tray and the group stays away.
  void expiryWithoutMessageStaysInTheTray() {
    Zarvo z;
    QVERIFY(QTest::qWaitForWindowExposed(z.Main()));
    z.ClickOption(TFormOptions::ShutDownRow);
    z.PressStart();
    Press(z.Main(), QStringLiteral("Hide"));
    QTRY_COMPARE_WITH_TIMEOUT(host_.Items().size(), 1, 20000);
    z.TickToExpiry();
    QVERIFY(!z.Counting());
    QCOMPARE(z.platform.calls, (QStringList{QStringLiteral("privilege"), QStringLiteral("exit 13")}));
    QVERIFY(!z.Main()->isVisible());
    QVERIFY(ExpectNothingFor(200, [&] { return host_.Items().size() != 1; }));
  }

  // Switching always-on-top gives the main window a new style; hide and restore still work, and
  // every window keeps its stay-on-top style across the trip.
  void hideAndRestoreAfterAlwaysOnTop() {
    Zarvo z;
    QVERIFY(QTest::qWaitForWindowExposed(z.Main()));
    Press(z.Main(), QStringLiteral("TopAlways"));
    QTRY_VERIFY(z.Main()->isVisible());
    Press(z.Main(), QStringLiteral("Hide"));
    QVERIFY(!z.Main()->isVisible());
    QTRY_COMPARE_WITH_TIMEOUT(host_.Items().size(), 1, 20000);
    host_.Call(host_.Items().first(), QStringLiteral("Activate"));
    QTRY_VERIFY_WITH_TIMEOUT(z.Main()->isVisible(), 20000);
    QVERIFY(z.Main()->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    QVERIFY(z.OptionsWindow()->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    QTRY_COMPARE_WITH_TIMEOUT(host_.Items(), QStringList{}, 20000);
  }

  // The icon leaves the tray when the program ends.
  void iconLeavesTheTrayAtTheEnd() {
    {
      Zarvo z;
      Press(z.Main(), QStringLiteral("Hide"));
      QTRY_COMPARE_WITH_TIMEOUT(host_.Items().size(), 1, 20000);
    }
    QTRY_COMPARE_WITH_TIMEOUT(host_.Items(), QStringList{}, 20000);
  }

private:
  TrayHost host_;
};

QTEST_MAIN(TestHideToTray)
#include "test_hide_to_tray.moc"
