// Hide to the tray on a real X server with a tray host on a private session bus: the icon
// registers as a StatusNotifierItem with the tooltip "Zarvo", the group leaves the screen, and
// the tray's click brings every window back where it was and takes the icon away.
#include "tests/support/tray_host.h"
#include "zarvo_fixture.h"

#include <QAction>
#include <QDBusConnection>

using namespace zarvo;
using namespace zarvo::test;

namespace {

QList<QWidget*> Group(Zarvo& z) {
  return {z.form1, z.options, z.windows.FormCounter(), z.windows.FormTime()};
}

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
    QVERIFY(QTest::qWaitForWindowExposed(z.form1));
    const QRect main = z.form1->geometry();
    const QRect options = z.options->geometry();
    const QRect counter = z.windows.FormCounter()->geometry();
    QVERIFY(!z.form1->CoolTrayIcon1.IconVisible());
    QCOMPARE(host_.Items(), QStringList{});

    QTest::mouseClick(z.form1->Hide, Qt::LeftButton);
    QVERIFY(z.form1->CoolTrayIcon1.MinimizeToTray);
    QVERIFY(z.form1->CoolTrayIcon1.IconVisible());
    for (QWidget* w : Group(z))
      QVERIFY2(!w->isVisible(), qPrintable(w->objectName()));
    QVERIFY(z.form1->WindowShown(z.options)); // still recorded as shown
    QTRY_COMPARE_WITH_TIMEOUT(host_.Items().size(), 1, 20000);
    const QString item = host_.Items().first();
    QCOMPARE(host_.ToolTipTitle(item), QStringLiteral("Zarvo"));
    QCOMPARE(host_.Property(item, QStringLiteral("Status")).toString(), QStringLiteral("Active"));

    // The tray's left click.
    const QDBusMessage r = host_.Call(item, QStringLiteral("Activate"));
    QVERIFY2(r.type() == QDBusMessage::ReplyMessage, qPrintable(r.errorMessage()));
    QTRY_VERIFY_WITH_TIMEOUT(z.form1->isVisible(), 20000);
    QVERIFY(z.options->isVisible());
    QVERIFY(z.windows.FormCounter()->isVisible());
    QVERIFY(!z.windows.FormTime()->isVisible()); // it was not shown before
    QVERIFY(!z.form1->CoolTrayIcon1.MinimizeToTray);
    QVERIFY(!z.form1->CoolTrayIcon1.IconVisible());
    QTRY_COMPARE(z.form1->geometry(), main);
    QTRY_COMPARE(z.options->geometry(), options);
    QTRY_COMPARE(z.windows.FormCounter()->geometry(), counter);
    QTRY_COMPARE_WITH_TIMEOUT(host_.Items(), QStringList{}, 20000);
  }

  void rightClickOpensTheMainMenuAndOnlyShownWindowsReturn() {
    Zarvo z;
    QVERIFY(QTest::qWaitForWindowExposed(z.form1));
    z.form1->CounterClick(); // the Counter window was hidden before: it stays hidden
    QVERIFY(!z.windows.FormCounter()->isVisible());
    z.form1->HideClick();
    QTRY_COMPARE_WITH_TIMEOUT(host_.Items().size(), 1, 20000);
    const QString item = host_.Items().first();

    host_.Call(item, QStringLiteral("ContextMenu"), 50, 50);
    QTRY_VERIFY_WITH_TIMEOUT(z.form1->PopupMenu1->isVisible(), 20000);
    QVERIFY(!z.form1->isVisible()); // the menu opens over the desktop, the group stays away
    z.form1->PopupMenu1->hide();

    // A middle click is no click. (A call returns once the item has handled it.)
    host_.Call(item, QStringLiteral("SecondaryActivate"));
    QVERIFY(!z.form1->isVisible());

    host_.Call(item, QStringLiteral("Activate"));
    QTRY_VERIFY_WITH_TIMEOUT(z.form1->isVisible(), 20000);
    QVERIFY(z.options->isVisible());
    QVERIFY(!z.windows.FormCounter()->isVisible());
  }

  void disabledIconIgnoresClicks() {
    Zarvo z;
    QVERIFY(QTest::qWaitForWindowExposed(z.form1));
    z.form1->HideClick();
    QTRY_COMPARE_WITH_TIMEOUT(host_.Items().size(), 1, 20000);
    const QString item = host_.Items().first();
    z.form1->CoolTrayIcon1.Enabled = false;
    host_.Call(item, QStringLiteral("Activate"));
    host_.Call(item, QStringLiteral("ContextMenu"), 50, 50);
    QVERIFY(!z.form1->isVisible());
    QVERIFY(!z.form1->PopupMenu1->isVisible());
    z.form1->CoolTrayIcon1.Enabled = true;
    host_.Call(item, QStringLiteral("Activate"));
    QTRY_VERIFY_WITH_TIMEOUT(z.form1->isVisible(), 20000);
  }

  // The message step brings the application back from the tray; the icon stays until clicked.
  void expiryWithMessageRestoresAndTheIconStays() {
    Zarvo z;
    QVERIFY(QTest::qWaitForWindowExposed(z.form1));
    z.dialogs.nextInputs << QStringLiteral("Time is up");
    z.ClickOption(TFormOptions::MessageRow);
    z.form1->StartClick();
    z.form1->HideClick();
    QVERIFY(!z.form1->isVisible());
    for (int i = 0; i < 200 && z.form1->CountdownRunning(); ++i)
      z.Tick();
    QVERIFY(!z.form1->CountdownRunning());
    QVERIFY(z.form1->isVisible());
    QVERIFY(z.options->isVisible());
    QVERIFY(z.windows.FormMessage()->isVisible());
    QVERIFY(z.form1->CoolTrayIcon1.IconVisible());
    QTRY_COMPARE_WITH_TIMEOUT(host_.Items().size(), 1, 20000);
    host_.Call(host_.Items().first(), QStringLiteral("Activate"));
    QTRY_COMPARE_WITH_TIMEOUT(host_.Items(), QStringList{}, 20000);
    QVERIFY(z.form1->isVisible());
  }

  // Without the message step the countdown expires in the tray and the group stays away.
  void expiryWithoutMessageStaysInTheTray() {
    Zarvo z;
    QVERIFY(QTest::qWaitForWindowExposed(z.form1));
    z.ClickOption(TFormOptions::ShutDownRow);
    z.form1->StartClick();
    z.form1->HideClick();
    for (int i = 0; i < 200 && z.form1->CountdownRunning(); ++i)
      z.Tick();
    QVERIFY(!z.form1->CountdownRunning());
    QCOMPARE(z.platform.calls, (QStringList{QStringLiteral("privilege"), QStringLiteral("exit 13")}));
    QVERIFY(!z.form1->isVisible());
    QVERIFY(z.form1->CoolTrayIcon1.IconVisible());
  }

  // Switching always-on-top gives the main window a new style; hide and restore still work, and
  // every window keeps its stay-on-top style across the trip.
  void hideAndRestoreAfterAlwaysOnTop() {
    Zarvo z;
    QVERIFY(QTest::qWaitForWindowExposed(z.form1));
    z.form1->TopAlwaysClick();
    QTRY_VERIFY(z.form1->isVisible());
    z.form1->HideClick();
    QVERIFY(!z.form1->isVisible());
    QTRY_COMPARE_WITH_TIMEOUT(host_.Items().size(), 1, 20000);
    host_.Call(host_.Items().first(), QStringLiteral("Activate"));
    QTRY_VERIFY_WITH_TIMEOUT(z.form1->isVisible(), 20000);
    QVERIFY(z.form1->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    QVERIFY(z.options->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    QTRY_COMPARE_WITH_TIMEOUT(host_.Items(), QStringList{}, 20000);
  }

  // The icon leaves the tray when the program ends.
  void iconLeavesTheTrayAtTheEnd() {
    {
      Zarvo z;
      z.form1->HideClick();
      QTRY_COMPARE_WITH_TIMEOUT(host_.Items().size(), 1, 20000);
    }
    QTRY_COMPARE_WITH_TIMEOUT(host_.Items(), QStringList{}, 20000);
  }

private:
  TrayHost host_;
};

QTEST_MAIN(TestHideToTray)
#include "test_hide_to_tray.moc"
