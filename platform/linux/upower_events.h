// UPower's notices turned into power broadcasts: the mains adapter plugged in or out is a power
// status change, the battery's warning level rising to low or worse is a low battery.
#pragma once

#include <QObject>
#include <QStringList>
#include <QVariantMap>

namespace zarvo {

// UPower's warning levels (org.freedesktop.UPower.Device.WarningLevel).
namespace UPowerWarning {
inline constexpr uint Unknown = 0;
inline constexpr uint None = 1;
inline constexpr uint Discharging = 2;
inline constexpr uint Low = 3;
inline constexpr uint Critical = 4;
inline constexpr uint Action = 5;
} // namespace UPowerWarning

// Whether going from warning level `previous` to `next` is a low-battery notice: the level rises
// and reaches Low or worse. Staying at a level, or getting better, is none.
bool IsBatteryLowWarning(uint previous, uint next);

class UPowerEvents : public QObject {
  Q_OBJECT
public:
  // Listens on the system bus; without a bus or without UPower nothing is ever raised.
  explicit UPowerEvents(QObject* parent = nullptr);
  ~UPowerEvents() override;

signals:
  void PowerBroadcast(int event, qint64 parameter);

private Q_SLOTS:
  void OnManagerChanged(const QString& interface, const QVariantMap& changed, const QStringList& invalidated);
  void OnDisplayDeviceChanged(const QString& interface, const QVariantMap& changed,
                              const QStringList& invalidated);

private:
  uint warningLevel_ = UPowerWarning::Unknown;
};

} // namespace zarvo
