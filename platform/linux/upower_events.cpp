#include "platform/linux/upower_events.h"

#include "platform/platform.h"

#include <QDBusConnection>

#include <utility>

namespace zarvo {

namespace {

const QString Service = QStringLiteral("org.freedesktop.UPower");
const QString ManagerPath = QStringLiteral("/org/freedesktop/UPower");
const QString ManagerInterface = QStringLiteral("org.freedesktop.UPower");
// The composite battery that desktops show; its warning level is the machine's.
const QString DisplayDevicePath = QStringLiteral("/org/freedesktop/UPower/devices/DisplayDevice");
const QString DeviceInterface = QStringLiteral("org.freedesktop.UPower.Device");
const QString PropertiesInterface = QStringLiteral("org.freedesktop.DBus.Properties");
const QString PropertiesChanged = QStringLiteral("PropertiesChanged");

} // namespace

bool IsBatteryLowWarning(uint previous, uint next) { return next >= UPowerWarning::Low && next > previous; }

UPowerEvents::UPowerEvents(QObject* parent) : QObject(parent) {
  QDBusConnection bus = QDBusConnection::systemBus();
  if (!bus.isConnected())
    return;
  // Bound to UPower's name: no other client of the bus can raise these.
  bus.connect(Service, ManagerPath, PropertiesInterface, PropertiesChanged, this,
              SLOT(OnManagerChanged(QString, QVariantMap, QStringList)));
  bus.connect(Service, DisplayDevicePath, PropertiesInterface, PropertiesChanged, this,
              SLOT(OnDisplayDeviceChanged(QString, QVariantMap, QStringList)));
}

UPowerEvents::~UPowerEvents() {
  QDBusConnection bus = QDBusConnection::systemBus();
  if (!bus.isConnected())
    return;
  bus.disconnect(Service, ManagerPath, PropertiesInterface, PropertiesChanged, this,
                 SLOT(OnManagerChanged(QString, QVariantMap, QStringList)));
  bus.disconnect(Service, DisplayDevicePath, PropertiesInterface, PropertiesChanged, this,
                 SLOT(OnDisplayDeviceChanged(QString, QVariantMap, QStringList)));
}

void UPowerEvents::OnManagerChanged(const QString& interface, const QVariantMap& changed,
                                    const QStringList&) {
  if (interface == ManagerInterface && changed.contains(QStringLiteral("OnBattery")))
    emit PowerBroadcast(PowerEvent::PowerStatusChange, 0);
}

void UPowerEvents::OnDisplayDeviceChanged(const QString& interface, const QVariantMap& changed,
                                          const QStringList&) {
  if (interface != DeviceInterface)
    return;
  const auto level = changed.constFind(QStringLiteral("WarningLevel"));
  if (level == changed.constEnd())
    return;
  bool ok = false;
  const uint next = level->toUInt(&ok);
  if (!ok)
    return; // a value of the wrong type is not a notice
  const uint previous = std::exchange(warningLevel_, next);
  if (IsBatteryLowWarning(previous, next))
    emit PowerBroadcast(PowerEvent::BatteryLow, 0);
}

} // namespace zarvo
