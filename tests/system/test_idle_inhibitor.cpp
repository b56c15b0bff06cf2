// The idle inhibitor against mock services on a private bus: the screen saver, GNOME's session
// manager and logind each get their request with the reason, and each is given back.
#include "platform/linux/idle_inhibitor.h"
#include "tests/support/dbus_mock.h"

#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QTest>

using namespace zarvo;
using namespace zarvo::test;

namespace {

const QString kReason = QStringLiteral("A countdown is running");
const QString kScreenSaver = QStringLiteral("org.freedesktop.ScreenSaver");
const QString kScreenSaverPath = QStringLiteral("/org/freedesktop/ScreenSaver");
const QString kSessionManager = QStringLiteral("org.gnome.SessionManager");
const QString kSessionManagerPath = QStringLiteral("/org/gnome/SessionManager");
const QString kLogind = QStringLiteral("org.freedesktop.login1");
const QString kLogindPath = QStringLiteral("/org/freedesktop/login1");
constexpr int kWaitMs = 30000;

} // namespace

class TestIdleInhibitor : public QObject {
  Q_OBJECT
private slots:
  void initTestCase() { QVERIFY2(bus_.isConnected(), "run under tests/support/with-dbus"); }

  void cleanup() {
    screenSaver_.reset();
    sessionManager_.reset();
    logind_.reset();
  }

  void takesAllThreeAndGivesThemBack() {
    StartScreenSaver();
    StartSessionManager();
    StartLogind();
    IdleInhibitor inhibitor(bus_, bus_);
    inhibitor.Inhibit(kReason);
    QTRY_COMPARE_WITH_TIMEOUT(inhibitor.HeldCount(), 3, kWaitMs);
    QCOMPARE(screenSaver_->Calls(kScreenSaverPath, QStringLiteral("Inhibit")),
             (QList<QVariantList>{{QStringLiteral("Zarvo"), kReason}}));
    const auto gnome = sessionManager_->Calls(kSessionManagerPath, QStringLiteral("Inhibit"));
    QCOMPARE(gnome.size(), 1);
    QCOMPARE(gnome.first().mid(1), (QVariantList{0u, kReason, 8u}));
    QCOMPARE(LogindInhibitors(),
             QStringList{QStringLiteral("idle|Zarvo|") + kReason + QStringLiteral("|block")});

    // Held once however often a countdown asks.
    inhibitor.Inhibit(kReason);
    QTRY_VERIFY_WITH_TIMEOUT(!inhibitor.Busy(), kWaitMs);
    QCOMPARE(screenSaver_->Calls(kScreenSaverPath, QStringLiteral("Inhibit")).size(), 1);

    inhibitor.Uninhibit();
    QCOMPARE(inhibitor.HeldCount(), 0);
    QTRY_COMPARE_WITH_TIMEOUT(screenSaver_->Calls(kScreenSaverPath, QStringLiteral("UnInhibit")),
                              (QList<QVariantList>{{41u}}), kWaitMs);
    QTRY_COMPARE_WITH_TIMEOUT(sessionManager_->Calls(kSessionManagerPath, QStringLiteral("Uninhibit")),
                              (QList<QVariantList>{{7u}}), kWaitMs);
    QTRY_VERIFY_WITH_TIMEOUT(LogindInhibitors().isEmpty(), kWaitMs);

    // The next countdown takes them again.
    inhibitor.Inhibit(kReason);
    QTRY_COMPARE_WITH_TIMEOUT(inhibitor.HeldCount(), 3, kWaitMs);
    QCOMPARE(LogindInhibitors().size(), 1);
  }

  void givesBackGrantsThatArriveAfterTheRelease() {
    StartScreenSaver();
    StartLogind();
    IdleInhibitor inhibitor(bus_, bus_);
    inhibitor.Inhibit(kReason);
    inhibitor.Uninhibit();
    QTRY_VERIFY_WITH_TIMEOUT(!inhibitor.Busy(), kWaitMs);
    QCOMPARE(inhibitor.HeldCount(), 0);
    QCOMPARE(screenSaver_->Calls(kScreenSaverPath, QStringLiteral("UnInhibit")),
             (QList<QVariantList>{{41u}}));
    QTRY_VERIFY_WITH_TIMEOUT(LogindInhibitors().isEmpty(), kWaitMs);
  }

  void worksWithWhateverIsThere() {
    // Only logind: the desktop has neither service on its bus.
    StartLogind();
    {
      IdleInhibitor inhibitor(bus_, bus_);
      inhibitor.Inhibit(kReason);
      QTRY_VERIFY_WITH_TIMEOUT(!inhibitor.Busy(), kWaitMs);
      QCOMPARE(inhibitor.HeldCount(), 1);
      QCOMPARE(LogindInhibitors().size(), 1);
    }
    // Going away with the lock held releases it.
    QTRY_VERIFY_WITH_TIMEOUT(LogindInhibitors().isEmpty(), kWaitMs);
    logind_.reset();

    // Nothing at all: no grant, no harm.
    IdleInhibitor inhibitor(bus_, bus_);
    inhibitor.Inhibit(kReason);
    QTRY_VERIFY_WITH_TIMEOUT(!inhibitor.Busy(), kWaitMs);
    QCOMPARE(inhibitor.HeldCount(), 0);
    inhibitor.Uninhibit();
    QCOMPARE(inhibitor.HeldCount(), 0);
  }

private:
  void StartScreenSaver() {
    screenSaver_ = std::make_unique<DBusMock>(bus_, kScreenSaver);
    QVERIFY(screenSaver_->Start({QStringLiteral("--session"), kScreenSaver, kScreenSaverPath, kScreenSaver}));
    QVERIFY(screenSaver_->AddMethod(kScreenSaverPath, kScreenSaver, QStringLiteral("Inhibit"),
                                    QStringLiteral("ss"), QStringLiteral("u"), QStringLiteral("ret = 41")));
    QVERIFY(screenSaver_->AddMethod(kScreenSaverPath, kScreenSaver, QStringLiteral("UnInhibit"),
                                    QStringLiteral("u"), QString(), QString()));
  }

  void StartSessionManager() {
    sessionManager_ = std::make_unique<DBusMock>(bus_, kSessionManager);
    QVERIFY(sessionManager_->Start(
        {QStringLiteral("--session"), kSessionManager, kSessionManagerPath, kSessionManager}));
    QVERIFY(sessionManager_->AddMethod(kSessionManagerPath, kSessionManager, QStringLiteral("Inhibit"),
                                       QStringLiteral("susu"), QStringLiteral("u"),
                                       QStringLiteral("ret = 7")));
    QVERIFY(sessionManager_->AddMethod(kSessionManagerPath, kSessionManager, QStringLiteral("Uninhibit"),
                                       QStringLiteral("u"), QString(), QString()));
  }

  void StartLogind() {
    logind_ = std::make_unique<MockLogind>();
    QVERIFY(logind_->Start());
  }

  // logind's inhibitors as "what|who|why|mode".
  QStringList LogindInhibitors() const {
    const QDBusMessage m =
        QDBusMessage::createMethodCall(kLogind, kLogindPath, QStringLiteral("org.freedesktop.login1.Manager"),
                                       QStringLiteral("ListInhibitors"));
    const QDBusMessage r = bus_.call(m, QDBus::Block, kWaitMs);
    QStringList out;
    if (r.type() != QDBusMessage::ReplyMessage)
      return {QStringLiteral("ListInhibitors failed: ") + r.errorMessage()};
    const QDBusArgument list = r.arguments().constFirst().value<QDBusArgument>();
    list.beginArray();
    while (!list.atEnd()) {
      QString what, who, why, mode;
      quint32 uid = 0, pid = 0;
      list.beginStructure();
      list >> what >> who >> why >> mode >> uid >> pid;
      list.endStructure();
      out << QStringList{what, who, why, mode}.join(QLatin1Char('|'));
    }
    list.endArray();
    return out;
  }

  QDBusConnection bus_ = QDBusConnection::sessionBus();
  std::unique_ptr<DBusMock> screenSaver_;
  std::unique_ptr<DBusMock> sessionManager_;
  std::unique_ptr<MockLogind> logind_;
};

QTEST_GUILESS_MAIN(TestIdleInhibitor)
#include "test_idle_inhibitor.moc"
