// The Linux power back end where no D-Bus daemon answers, and the power status read from a
// sysfs power_supply folder that the test writes itself.
#include "platform/linux/linux_platform.h"
#include "platform/linux/logind_power.h"
#include "platform/linux/power_supply.h"
#include "tests/support/test_support.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QMap>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using namespace zarvo;

using Supply = QMap<QString, QString>;  // file name -> content of one power_supply entry
using Supplies = QMap<QString, Supply>; // entry name -> its files

class TestLogindOffline : public QObject {
  Q_OBJECT

private slots:
  void initTestCase();
  void everyRequestWithoutAnyBus();
  void powerStatus_data();
  void powerStatus();
};

void TestLogindOffline::initTestCase() {
  // Before anything touches QtDBus: both buses point at a socket nobody listens on.
  qputenv("DBUS_SYSTEM_BUS_ADDRESS", "unix:path=/nonexistent/zarvo-no-bus");
  qputenv("DBUS_SESSION_BUS_ADDRESS", "unix:path=/nonexistent/zarvo-no-bus");
}

// Nothing crashes, and a stand-by or hibernate does not wait for a resume that cannot come.
void TestLogindOffline::everyRequestWithoutAnyBus() {
  QElapsedTimer elapsed;
  elapsed.start();
  {
    auto platform = CreatePlatform();
    QSignalSpy broadcasts(platform.get(), &Platform::PowerBroadcast);
    platform->EnableShutdownPrivilege();
    for (unsigned flags : {9u, 13u, 2u, 6u, 0u, 4u})
      platform->ExitWindows(flags);
    for (bool suspend : {true, false}) {
      platform->SetSystemPowerState(suspend, false);
      platform->SetSystemPowerState(suspend, true);
    }
    // Any answer that the failed calls queued arrives meanwhile.
    QVERIFY(zarvo::test::ExpectNothingFor(50, [&] { return broadcasts.count() > 0; }));
  }
  QVERIFY2(elapsed.elapsed() < 3000, qPrintable(QString::number(elapsed.elapsed())));
}

void TestLogindOffline::powerStatus_data() {
  QTest::addColumn<Supplies>("entries");
  QTest::addColumn<int>("acLine");
  QTest::addColumn<int>("flag");
  QTest::addColumn<int>("percent");
  QTest::addColumn<qint64>("lifeTime");
  QTest::addColumn<qint64>("fullLifeTime");

  const qint64 unknown = 0xFFFFFFFF;
  const Supply acOnline{{"type", "Mains"}, {"online", "1"}};
  const Supply acOffline{{"type", "Mains"}, {"online", "0"}};

  QTest::newRow("desktop without any supply") << Supplies{} << 1 << 128 << 255 << unknown << unknown;
  QTest::newRow("charging at 80 %: high and charging")
      << Supplies{{"AC", acOnline},
                  {"BAT0", {{"type", "Battery"}, {"status", "Charging"}, {"capacity", "80"}}}}
      << 1 << 9 << 80 << unknown << unknown;
  // 30 Wh of 60 Wh drawn at 10 W: 3 h left, 6 h when full.
  QTest::newRow("discharging by energy") << Supplies{{"AC", acOffline},
                                                     {"BAT0",
                                                      {{"type", "Battery"},
                                                       {"status", "Discharging"},
                                                       {"energy_now", "30000000"},
                                                       {"energy_full", "60000000"},
                                                       {"power_now", "10000000"}}}}
                                         << 0 << 0 << 50 << qint64(10800) << qint64(21600);
  QTest::newRow("discharging by charge, low") << Supplies{{"BAT1",
                                                           {{"type", "Battery"},
                                                            {"status", "Discharging"},
                                                            {"charge_now", "1000000"},
                                                            {"charge_full", "5000000"},
                                                            {"current_now", "2000000"}}}}
                                              << 0 << 2 << 20 << qint64(1800) << qint64(9000);
  QTest::newRow("critical") << Supplies{{"AC", acOffline},
                                        {"BAT0",
                                         {{"type", "Battery"}, {"status", "Discharging"}, {"capacity", "3"}}}}
                            << 0 << 4 << 3 << unknown << unknown;
  // A mouse's battery and an empty battery bay are not the system's battery.
  QTest::newRow("only a peripheral's battery and an empty bay")
      << Supplies{{"AC", acOnline},
                  {"hidpp_battery_0",
                   {{"type", "Battery"}, {"scope", "Device"}, {"status", "Discharging"}, {"capacity", "10"}}},
                  {"BAT1", {{"type", "Battery"}, {"present", "0"}}}}
      << 1 << 128 << 255 << unknown << unknown;
  QTest::newRow("two batteries sum up") << Supplies{{"AC", acOnline},
                                                    {"BAT0",
                                                     {{"type", "Battery"},
                                                      {"status", "Full"},
                                                      {"energy_now", "40000000"},
                                                      {"energy_full", "40000000"}}},
                                                    {"BAT1",
                                                     {{"type", "Battery"},
                                                      {"status", "Not charging"},
                                                      {"energy_now", "0"},
                                                      {"energy_full", "40000000"}}}}
                                        << 1 << 0 << 50 << unknown << unknown;
  QTest::newRow("battery that says nothing")
      << Supplies{{"BAT0", {{"type", "Battery"}, {"status", "Unknown"}}}} << 255 << 255 << 255 << unknown
      << unknown;
}

void TestLogindOffline::powerStatus() {
  QFETCH(Supplies, entries);
  QTemporaryDir root;
  QVERIFY(root.isValid());
  for (auto e = entries.cbegin(); e != entries.cend(); ++e) {
    QVERIFY(QDir(root.path()).mkdir(e.key()));
    for (auto f = e->cbegin(); f != e->cend(); ++f) {
      QFile file(root.filePath(e.key() + QLatin1Char('/') + f.key()));
      QVERIFY(file.open(QIODevice::WriteOnly));
      file.write(f.value().toUtf8() + '\n'); // sysfs values end with a line break
    }
  }

  const PowerStatus s = ReadPowerSupplyStatus(root.path());
  QTEST(int(s.acLineStatus), "acLine");
  QTEST(int(s.batteryFlag), "flag");
  QTEST(int(s.batteryLifePercent), "percent");
  QTEST(qint64(s.batteryLifeTime), "lifeTime");
  QTEST(qint64(s.batteryFullLifeTime), "fullLifeTime");
}

QTEST_GUILESS_MAIN(TestLogindOffline)
#include "test_logind_offline.moc"
