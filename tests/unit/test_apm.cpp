// The power event monitor: which broadcast raises which event, the suspend query's answer, the
// Enabled switch and the status snapshot's texts.
#include "components/apm.h"
#include "platform/fake/fake_platform.h"

#include <QTest>

using namespace zarvo;

namespace {

// A monitor with every event assigned, recording "Event" or "Event(argument)" in order.
struct Recorder {
  FakePlatform platform;
  TAPM apm{platform};
  QStringList raised;
  QObject* lastSender = nullptr;

  Recorder() {
    auto named = [this](const char* name) {
      return [this, name](QObject* sender) {
        lastSender = sender;
        raised << QString::fromLatin1(name);
      };
    };
    apm.OnBatteryLow = named("BatteryLow");
    apm.OnOEMEvent = [this](QObject* sender, int code) {
      lastSender = sender;
      raised << QStringLiteral("OEMEvent(%1)").arg(code);
    };
    apm.OnSuspend = named("Suspend");
    apm.OnSuspendQuery = named("SuspendQuery");
    apm.OnOverrideableSuspendQuery = [this](QObject* sender, bool& canSuspend) {
      lastSender = sender;
      raised << QStringLiteral("OverrideableSuspendQuery(%1)").arg(canSuspend);
    };
    apm.OnSuspendDenied = named("SuspendDenied");
    apm.OnResumeAfterCritical = named("ResumeAfterCritical");
    apm.OnResumeAfterSuspend = named("ResumeAfterSuspend");
    apm.OnPowerStatusChange = named("PowerStatusChange");
  }
};

} // namespace

class TestApm : public QObject {
  Q_OBJECT
private slots:
  void eachBroadcastRaisesItsEvent_data() {
    QTest::addColumn<int>("code");
    QTest::addColumn<qint64>("parameter");
    QTest::addColumn<QString>("event");
    QTest::newRow("0 query, no interaction") << 0 << qint64(0) << "SuspendQuery";
    QTest::newRow("0 query, interaction") << 0 << qint64(1) << "OverrideableSuspendQuery(1)";
    QTest::newRow("0 query, interaction, high bits set")
        << 0 << qint64(0x70001) << "OverrideableSuspendQuery(1)";
    QTest::newRow("0 query, low bits 2") << 0 << qint64(2) << "SuspendQuery";
    QTest::newRow("2 query failed") << 2 << qint64(0) << "SuspendDenied";
    QTest::newRow("4 suspend") << 4 << qint64(0) << "Suspend";
    QTest::newRow("6 resume critical") << 6 << qint64(0) << "ResumeAfterCritical";
    QTest::newRow("7 resume suspend") << 7 << qint64(0) << "ResumeAfterSuspend";
    QTest::newRow("9 battery low") << 9 << qint64(0) << "BatteryLow";
    QTest::newRow("10 status change") << 10 << qint64(0) << "PowerStatusChange";
    QTest::newRow("11 OEM event") << 11 << qint64(42) << "OEMEvent(42)";
    // The stand-by variants, the automatic resume and unknown codes raise nothing.
    for (int silent : {1, 3, 5, 8, 12, 0x12, -1})
      QTest::newRow(qPrintable(QStringLiteral("%1 nothing").arg(silent))) << silent << qint64(0) << "";
  }

  // Through the platform's broadcast, exactly as the system delivers it.
  void eachBroadcastRaisesItsEvent() {
    QFETCH(int, code);
    QFETCH(qint64, parameter);
    QFETCH(QString, event);
    Recorder r;
    r.platform.Broadcast(code, parameter);
    QCOMPARE(r.raised, event.isEmpty() ? QStringList{} : QStringList{event});
    if (!event.isEmpty())
      QCOMPARE(r.lastSender, &r.apm);
  }

  void disabledRaisesNothingAndEnabledAgainListens() {
    Recorder r;
    QVERIFY(r.apm.Enabled);
    r.apm.Enabled = false;
    for (int code : {0, 2, 4, 6, 7, 9, 10, 11})
      r.platform.Broadcast(code, 1);
    QVERIFY(r.raised.isEmpty());
    QCOMPARE(r.apm.Dispatch(PowerEvent::QuerySuspend, 1, 5), qint64(5)); // the answer stays as it was
    r.apm.Enabled = true;
    r.platform.Broadcast(PowerEvent::ResumeSuspend);
    QCOMPARE(r.raised, QStringList{QStringLiteral("ResumeAfterSuspend")});
  }

  void unassignedEventsDoNothing() {
    FakePlatform platform;
    TAPM apm(platform);
    for (int code : {0, 2, 4, 6, 7, 9, 10, 11})
      QCOMPARE(apm.Dispatch(code, 0, 3), qint64(3));
  }

  void suspendQueryAnswer() {
    FakePlatform platform;
    TAPM apm(platform);
    // No handler: the query is answered 0 (suspend may go on), whatever the previous answer was.
    QCOMPARE(apm.Dispatch(PowerEvent::QuerySuspend, 1, 1), qint64(0));
    // A handler that lets it go on, and one that refuses.
    apm.OnOverrideableSuspendQuery = [](QObject*, bool& canSuspend) { QVERIFY(canSuspend); };
    QCOMPARE(apm.Dispatch(PowerEvent::QuerySuspend, 1, 1), qint64(0));
    apm.OnOverrideableSuspendQuery = [](QObject*, bool& canSuspend) { canSuspend = false; };
    QCOMPARE(apm.Dispatch(PowerEvent::QuerySuspend, 1, 1), BROADCAST_QUERY_DENY);
    QCOMPARE(BROADCAST_QUERY_DENY, qint64(0x424D5144));
    // Without interaction the refusal is not asked for, and the answer stays.
    QCOMPARE(apm.Dispatch(PowerEvent::QuerySuspend, 0, 1), qint64(1));
  }

  void statusTexts_data() {
    QTest::addColumn<int>("flag");
    QTest::addColumn<QString>("ac");
    QTest::addColumn<QString>("battery");
    QTest::newRow("0") << 0 << "OffLine"
                       << "High";
    QTest::newRow("1") << 1 << "OnLine"
                       << "High";
    QTest::newRow("2") << 2 << "Unknown"
                       << "Low";
    QTest::newRow("4") << 4 << "Unknown"
                       << "Critical";
    QTest::newRow("8") << 8 << "Unknown"
                       << "Charging";
    QTest::newRow("9 high and charging") << 9 << "Unknown"
                                         << "Unknown";
    QTest::newRow("10 low and charging") << 10 << "Unknown"
                                         << "Unknown";
    QTest::newRow("128") << 128 << "Unknown"
                         << "No Battery";
    QTest::newRow("129") << 129 << "Unknown"
                         << "Unknown";
    QTest::newRow("255") << 255 << "Unknown"
                         << "Unknown";
  }

  void statusTexts() {
    QFETCH(int, flag);
    QFETCH(QString, ac);
    QFETCH(QString, battery);
    QCOMPARE(ACPowerStatusText(quint8(flag)), ac);
    QCOMPARE(BatteryChargeStatusText(quint8(flag)), battery);
  }

  void snapshotTakenAtConstructionOnly() {
    FakePlatform platform;
    platform.powerStatus = PowerStatus{0, 8, 57, 3600, 7200};
    TAPM apm(platform);
    QCOMPARE(apm.ACPowerStatus, QStringLiteral("OffLine"));
    QCOMPARE(apm.ACPowerStatusFlag, quint8(0));
    QCOMPARE(apm.BatteryChargeStatus, QStringLiteral("Charging"));
    QCOMPARE(apm.BatteryChargeStatusFlag, quint8(8));
    QCOMPARE(apm.BatteryLifePercent, quint8(57));
    QCOMPARE(apm.BatteryLifeTime, quint32(3600));
    QCOMPARE(apm.BatteryLifeFullTime, quint32(7200));
    platform.powerStatus = PowerStatus{};
    platform.Broadcast(PowerEvent::PowerStatusChange);
    QCOMPARE(apm.BatteryLifePercent, quint8(57));
  }
};

QTEST_GUILESS_MAIN(TestApm)
#include "test_apm.moc"
