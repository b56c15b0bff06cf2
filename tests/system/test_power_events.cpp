// Power events over a real D-Bus: a mock logind's sleep and wake-up reach the countdown through the
// power event monitor, also after always-on-top re-created the main window; a mock UPower's mains
// and battery notices become the monitor's status change and battery-low events.
#include "framework/fake_dialogs.h"
#include "framework/image_button.h"
#include "main/main_window.h"
#include "main/window_set.h"
#include "options/options_window.h"
#include "platform/fake/fake_platform.h"
#include "platform/linux/upower_events.h"
#include "tests/support/dbus_mock.h"
#include "tests/support/gui_verbs.h"
#include "tests/support/test_support.h"

#include <QDBusConnection>
#include <QSignalSpy>
#include <QTest>

#include <memory>

using namespace zarvo;
using namespace zarvo::test;

namespace {

const QString LogindPath = QStringLiteral("/org/freedesktop/login1");
const QString LogindManager = QStringLiteral("org.freedesktop.login1.Manager");
const QString UPowerPath = QStringLiteral("/org/freedesktop/UPower");
const QString DisplayDevicePath = QStringLiteral("/org/freedesktop/UPower/devices/DisplayDevice");
const QString Caption = QStringLiteral("Zarvo: System Suspended");

int Warnings(const FakeDialogs& dialogs) {
  int n = 0;
  for (const FakeDialogs::Asked& a : dialogs.asked)
    n += a.caption == Caption;
  return n;
}

} // namespace

class TestPowerEvents : public QObject {
  Q_OBJECT
private slots:
  void initTestCase() {
    QVERIFY2(QDBusConnection::systemBus().isConnected(), "run under tests/support/with-dbus");
    logind_ = std::make_unique<MockLogind>();
    QVERIFY(logind_->Start());
    upower_ =
        std::make_unique<DBusMock>(QDBusConnection::systemBus(), QStringLiteral("org.freedesktop.UPower"));
    QVERIFY(
        upower_->Start({QStringLiteral("--system"), QStringLiteral("--template"), QStringLiteral("upower")}));
  }

  void cleanupTestCase() {
    upower_.reset();
    logind_.reset();
  }

  void sleepDuringCountdownStopsItAndWarnsAlsoAfterAlwaysOnTop() {
    FakeClock clock;
    FakeDialogs dialogs;
    const std::unique_ptr<Platform> platform = CreatePlatform();
    WindowSet windows(clock, dialogs, *platform);
    QVERIFY(windows.Create());
    TForm1* form1 = windows.Form1();
    form1->Timer1.stop();
    form1->Timer3.stop();
    form1->TimerInit.stop();
    form1->TimerInitTimer();
    QWidget* main = form1;
    // The program starts watching once the start has finished.
    QVERIFY(WaitUntil([form1] { return form1->Started(); }));
    const auto counting = [main] { return AccessibleName(main, QStringLiteral("Start")) == "Stop counting"; };
    QTest::mouseClick(windows.FormOptions()->Button(TFormOptions::ShutDownRow), Qt::LeftButton);

    // logind announces the sleep and the wake-up; both have reached the program when this returns.
    QSignalSpy broadcasts(platform.get(), &Platform::PowerBroadcast);
    auto sleepAndWake = [&] {
      const qsizetype before = broadcasts.size();
      logind_->EmitBool(LogindPath, LogindManager, QStringLiteral("PrepareForSleep"), true);
      logind_->EmitBool(LogindPath, LogindManager, QStringLiteral("PrepareForSleep"), false);
      QTRY_COMPARE_WITH_TIMEOUT(broadcasts.size(), before + 2, 20000);
      QCOMPARE(broadcasts.at(before).at(0).toInt(), PowerEvent::Suspend);
      QCOMPARE(broadcasts.at(before + 1).at(0).toInt(), PowerEvent::ResumeSuspend);
    };

    // With no countdown running: nothing to say.
    sleepAndWake();
    QVERIFY(dialogs.asked.isEmpty());

    for (int round = 0; round < 3; ++round) {
      if (round > 0) {
        // Switching always-on-top takes the main window off the screen and puts it back with a
        // new window style (a new native window where the platform needs one).
        Press(main, QStringLiteral("TopAlways"));
        QTRY_VERIFY(main->isVisible());
        QCOMPARE(MenuChecked(main, QStringLiteral("Alwaysontop1")), round == 1);
        QCOMPARE(main->windowFlags().testFlag(Qt::WindowStaysOnTopHint), round == 1);
      }
      Press(main, QStringLiteral("Start"));
      QVERIFY(counting());
      sleepAndWake();
      QTRY_COMPARE(Warnings(dialogs), round + 1); // the box opens from a later turn of the event loop
      QVERIFY(!counting());
    }
    QCOMPARE(dialogs.asked.size(), 3); // the first sleep, with nothing running, asked nothing
    QCOMPARE(dialogs.asked.first().icon, Icon::Information);
    QCOMPARE(dialogs.asked.first().buttons, Buttons::Ok);
    QVERIFY(dialogs.asked.first().text.contains(QStringLiteral("System entered in suspended mode!")));

    // With the monitor disabled the wake-up goes unnoticed, though it reaches the program.
    form1->APM1.Enabled = false;
    Press(main, QStringLiteral("Start"));
    sleepAndWake();
    QVERIFY(counting());
    QCOMPARE(Warnings(dialogs), 3);
    form1->APM1.Enabled = true;
    sleepAndWake();
    QCOMPARE(Warnings(dialogs), 4);
    QVERIFY(!counting());
  }

  void upowerNoticesBecomeStatusChangeAndBatteryLow() {
    const std::unique_ptr<Platform> platform = CreatePlatform();
    platform->WatchPowerEvents();
    TAPM apm(*platform);
    QStringList raised;
    apm.OnPowerStatusChange = [&raised](QObject*) { raised << QStringLiteral("status"); };
    apm.OnBatteryLow = [&raised](QObject*) { raised << QStringLiteral("low"); };
    auto setWarning = [this](uint level) {
      const QDBusMessage r =
          upower_->SetProperty(DisplayDevicePath, QStringLiteral("org.freedesktop.UPower.Device"),
                               QStringLiteral("WarningLevel"), QVariant::fromValue(level));
      QVERIFY2(r.type() == QDBusMessage::ReplyMessage, qPrintable(r.errorMessage()));
    };
    auto setOnBattery = [this](bool on) {
      const QDBusMessage r = upower_->SetProperty(UPowerPath, QStringLiteral("org.freedesktop.UPower"),
                                                  QStringLiteral("OnBattery"), on);
      QVERIFY2(r.type() == QDBusMessage::ReplyMessage, qPrintable(r.errorMessage()));
    };

    setOnBattery(true);
    QTRY_COMPARE_WITH_TIMEOUT(raised, QStringList{QStringLiteral("status")}, 20000);
    setWarning(UPowerWarning::Discharging);
    setWarning(UPowerWarning::Low);
    QTRY_COMPARE_WITH_TIMEOUT(raised, (QStringList{QStringLiteral("status"), QStringLiteral("low")}), 20000);
    setWarning(UPowerWarning::Critical); // worse again: another notice
    setOnBattery(false);
    QTRY_COMPARE_WITH_TIMEOUT(raised,
                              (QStringList{QStringLiteral("status"), QStringLiteral("low"),
                                           QStringLiteral("low"), QStringLiteral("status")}),
                              20000);
    setWarning(UPowerWarning::None);
    setWarning(UPowerWarning::Low); // back from none to low: a fresh notice
    setOnBattery(true);
    QTRY_COMPARE_WITH_TIMEOUT(raised.size(), 6, 20000);
    QCOMPARE(raised.mid(4), (QStringList{QStringLiteral("low"), QStringLiteral("status")}));
  }

  void warningLevelRule() {
    QVERIFY(IsBatteryLowWarning(UPowerWarning::None, UPowerWarning::Low));
    QVERIFY(IsBatteryLowWarning(UPowerWarning::Unknown, UPowerWarning::Action));
    QVERIFY(IsBatteryLowWarning(UPowerWarning::Low, UPowerWarning::Critical));
    QVERIFY(!IsBatteryLowWarning(UPowerWarning::Low, UPowerWarning::Low));
    QVERIFY(!IsBatteryLowWarning(UPowerWarning::Critical, UPowerWarning::Low));
    QVERIFY(!IsBatteryLowWarning(UPowerWarning::None, UPowerWarning::Discharging));
  }

private:
  std::unique_ptr<MockLogind> logind_;
  std::unique_ptr<DBusMock> upower_;
};

QTEST_MAIN(TestPowerEvents)
#include "test_power_events.moc"
