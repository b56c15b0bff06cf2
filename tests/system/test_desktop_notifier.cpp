// Desktop notifications against a mock notification server on a private session bus: what Notify
// carries, replacing in place, the buttons only where the server has actions, withdrawal, the
// buttons' answers, and no server at all.
#include "platform/linux/desktop_notifier.h"
#include "tests/support/dbus_mock.h"

#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QSignalSpy>
#include <QTest>

using namespace zarvo;
using namespace zarvo::test;

namespace {

const QString kService = QStringLiteral("org.freedesktop.Notifications");
const QString kPath = QStringLiteral("/org/freedesktop/Notifications");
constexpr int kWaitMs = 30000;

DesktopNotification Warning(bool critical) {
  DesktopNotification n;
  n.summary = QStringLiteral("Zarvo");
  n.body = critical ? QStringLiteral("The computer will shut down in 10 seconds")
                    : QStringLiteral("The computer will shut down in 60 seconds");
  n.icon = QImage(4, 3, QImage::Format_ARGB32);
  n.icon.fill(Qt::green);
  n.critical = critical;
  n.persistent = true;
  n.actions = {{QStringLiteral("postpone"), QStringLiteral("Postpone 10 minutes")},
               {QStringLiteral("stop"), QStringLiteral("Stop")}};
  return n;
}

} // namespace

class TestDesktopNotifier : public QObject {
  Q_OBJECT
private slots:
  void initTestCase() { QVERIFY2(bus_.isConnected(), "run under tests/support/with-dbus"); }

  void cleanup() { server_.reset(); }

  void notifyCarriesTheWarningAndReplacesItInPlace() {
    StartServer(QStringLiteral("body actions persistence"));
    DesktopNotifier notifier(bus_);
    notifier.Show(Warning(false));
    QTRY_COMPARE_WITH_TIMEOUT(Notifies().size(), 1, kWaitMs);
    const QVariantList first = Notifies().first();
    QCOMPARE(first.size(), 8);
    QCOMPARE(first[0].toString(), QStringLiteral("Zarvo"));
    QCOMPARE(first[1].toUInt(), 0u);
    QCOMPARE(first[3].toString(), QStringLiteral("Zarvo"));
    QCOMPARE(first[4].toString(), QStringLiteral("The computer will shut down in 60 seconds"));
    QCOMPARE(first[5].toStringList(),
             (QStringList{QStringLiteral("postpone"), QStringLiteral("Postpone 10 minutes"),
                          QStringLiteral("stop"), QStringLiteral("Stop")}));
    const QVariantMap hints = first[6].toMap();
    QCOMPARE(hints.value(QStringLiteral("urgency")).toInt(), 1);
    QVERIFY(hints.contains(QStringLiteral("image-data")));
    QVERIFY(!hints.value(QStringLiteral("desktop-entry")).toString().isEmpty());
    // It stays until answered: no expiry, and kept by a server that keeps notifications.
    QCOMPARE(first[7].toInt(), 0);
    QCOMPARE(hints.value(QStringLiteral("resident")), QVariant(true));
    QTRY_VERIFY_WITH_TIMEOUT(notifier.CurrentId() != 0, kWaitMs);
    const quint32 id = notifier.CurrentId();

    notifier.Show(Warning(true));
    QTRY_COMPARE_WITH_TIMEOUT(Notifies().size(), 2, kWaitMs);
    const QVariantList second = Notifies().last();
    QCOMPARE(second[1].toUInt(), id);
    QCOMPARE(second[4].toString(), QStringLiteral("The computer will shut down in 10 seconds"));
    QCOMPARE(second[6].toMap().value(QStringLiteral("urgency")).toInt(), 2);
    QCOMPARE(second[7].toInt(), 0);
    QTRY_VERIFY_WITH_TIMEOUT(!notifier.Busy(), kWaitMs);
    QCOMPARE(notifier.CurrentId(), id);

    notifier.Withdraw();
    QTRY_COMPARE_WITH_TIMEOUT(server_->Calls(kPath, QStringLiteral("CloseNotification")).size(), 1, kWaitMs);
    QCOMPARE(server_->Calls(kPath, QStringLiteral("CloseNotification")).first().first().toUInt(), id);
    QCOMPARE(notifier.CurrentId(), 0u);
  }

  void buttonsComeBackForThisNotificationOnly() {
    StartServer(QStringLiteral("body actions"));
    DesktopNotifier notifier(bus_);
    QSignalSpy pressed(&notifier, &DesktopNotifier::ActionInvoked);
    notifier.Show(Warning(false));
    QTRY_VERIFY_WITH_TIMEOUT(notifier.CurrentId() != 0, kWaitMs);
    const quint32 id = notifier.CurrentId();
    // Another program's notification.
    QVERIFY(Emit(QStringLiteral("ActionInvoked"), QStringLiteral("us"), {id + 100, QStringLiteral("stop")}));
    QVERIFY(Emit(QStringLiteral("ActionInvoked"), QStringLiteral("us"), {id, QStringLiteral("postpone")}));
    QTRY_COMPARE_WITH_TIMEOUT(pressed.size(), 1, kWaitMs);
    QCOMPARE(pressed.first().first().toString(), QStringLiteral("postpone"));

    // Dismissed by the user: the next warning opens a new notification.
    QVERIFY(Emit(QStringLiteral("NotificationClosed"), QStringLiteral("uu"), {id, 2u}));
    QTRY_COMPARE_WITH_TIMEOUT(notifier.CurrentId(), 0u, kWaitMs);
    notifier.Show(Warning(true));
    QTRY_COMPARE_WITH_TIMEOUT(Notifies().size(), 2, kWaitMs);
    QCOMPARE(Notifies().last()[1].toUInt(), 0u);
    QTRY_VERIFY_WITH_TIMEOUT(notifier.CurrentId() != 0, kWaitMs);

    // A button of a withdrawn notification is not reported.
    const quint32 second = notifier.CurrentId();
    notifier.Withdraw();
    QVERIFY(Emit(QStringLiteral("ActionInvoked"), QStringLiteral("us"), {second, QStringLiteral("stop")}));
    QTRY_COMPARE_WITH_TIMEOUT(server_->Calls(kPath, QStringLiteral("CloseNotification")).size(), 1, kWaitMs);
    QTRY_VERIFY_WITH_TIMEOUT(!notifier.Busy(), kWaitMs);
    QCOMPARE(pressed.size(), 1);
  }

  void noButtonsOrResidenceWhereTheServerHasNeither() {
    StartServer(QStringLiteral("body body-markup"));
    DesktopNotifier notifier(bus_);
    notifier.Show(Warning(false));
    QTRY_COMPARE_WITH_TIMEOUT(Notifies().size(), 1, kWaitMs);
    QVERIFY(Notifies().first()[5].toStringList().isEmpty());
    QCOMPARE(Notifies().first()[4].toString(), QStringLiteral("The computer will shut down in 60 seconds"));
    QVERIFY(!Notifies().first()[6].toMap().contains(QStringLiteral("resident")));
    QCOMPARE(Notifies().first()[7].toInt(), 0);

    // A notification that is not to stay expires as the server likes.
    DesktopNotification passing = Warning(false);
    passing.persistent = false;
    notifier.Show(passing);
    QTRY_COMPARE_WITH_TIMEOUT(Notifies().size(), 2, kWaitMs);
    QCOMPARE(Notifies().last()[7].toInt(), -1);
  }

  void withdrawnBeforeTheServerAnsweredShowsNothing() {
    StartServer(QStringLiteral("body actions"));
    DesktopNotifier notifier(bus_);
    notifier.Show(Warning(false));
    notifier.Withdraw();
    QTRY_VERIFY_WITH_TIMEOUT(!notifier.Busy(), kWaitMs);
    QCOMPARE(server_->Calls(kPath, QStringLiteral("GetCapabilities")).size(), 1);
    QVERIFY(Notifies().isEmpty());
    QCOMPARE(notifier.CurrentId(), 0u);
  }

  void noServerNoNotificationAndNoHarm() {
    DesktopNotifier notifier(bus_);
    QSignalSpy pressed(&notifier, &DesktopNotifier::ActionInvoked);
    notifier.Show(Warning(false));
    QTRY_VERIFY_WITH_TIMEOUT(!notifier.Busy(), kWaitMs);
    QCOMPARE(notifier.CurrentId(), 0u);
    notifier.Withdraw();
    notifier.Show(Warning(true));
    QTRY_VERIFY_WITH_TIMEOUT(!notifier.Busy(), kWaitMs);
    QCOMPARE(notifier.CurrentId(), 0u);
    QCOMPARE(pressed.size(), 0);
  }

  void goingAwayTakesTheNotificationDown() {
    StartServer(QStringLiteral("body actions"));
    quint32 id = 0;
    {
      DesktopNotifier notifier(bus_);
      notifier.Show(Warning(false));
      QTRY_VERIFY_WITH_TIMEOUT(notifier.CurrentId() != 0, kWaitMs);
      id = notifier.CurrentId();
    }
    const auto closes = server_->Calls(kPath, QStringLiteral("CloseNotification"));
    QCOMPARE(closes.size(), 1);
    QCOMPARE(closes.first().first().toUInt(), id);
  }

private:
  void StartServer(const QString& capabilities) {
    server_ = std::make_unique<DBusMock>(bus_, kService);
    QVERIFY(server_->Start({QStringLiteral("--session"), QStringLiteral("--template"),
                            QStringLiteral("notification_daemon"), QStringLiteral("--parameters"),
                            QStringLiteral("{\"capabilities\": \"%1\"}").arg(capabilities)}));
  }

  QList<QVariantList> Notifies() const { return server_->Calls(kPath, QStringLiteral("Notify")); }

  bool Emit(const QString& name, const QString& signature, const QVariantList& args) const {
    return server_->EmitSignal(kPath, kService, name, signature, args);
  }

  QDBusConnection bus_ = QDBusConnection::sessionBus();
  std::unique_ptr<DBusMock> server_;
};

QTEST_GUILESS_MAIN(TestDesktopNotifier)
#include "test_desktop_notifier.moc"
