// TAPM: the power event monitor. Turns the platform's power broadcasts into named events and keeps a
// snapshot of the power status taken when it is created.
#pragma once

#include "platform/platform.h"

#include <QObject>
#include <QString>

#include <functional>

namespace zarvo {

// The answer that refuses an overrideable suspend query.
inline constexpr qint64 BROADCAST_QUERY_DENY = 0x424D5144;

// "OffLine" for 0, "OnLine" for 1, "Unknown" otherwise.
QString ACPowerStatusText(quint8 flag);
// The first battery state whose bit set holds every bit of the flag: 0 and 1 "High", 2 "Low",
// 4 "Critical", 8 "Charging", 128 "No Battery"; any combination (such as 9) or 255 "Unknown".
QString BatteryChargeStatusText(quint8 flag);

class TAPM : public QObject {
  Q_OBJECT
public:
  // Takes the status snapshot and listens to the platform's power broadcasts for as long as it
  // exists. The broadcasts come from the system's power services, not from a native window, so
  // re-creating the owner's window (switching stay-on-top does) never loses one.
  TAPM(Platform& platform, QObject* owner = nullptr);

  QString ACPowerStatus;
  quint8 ACPowerStatusFlag = 0;
  QString BatteryChargeStatus;
  quint8 BatteryChargeStatusFlag = 0;
  quint8 BatteryLifePercent = 0;
  quint32 BatteryLifeTime = 0;
  quint32 BatteryLifeFullTime = 0;
  // When false, no event is raised; the monitor keeps listening.
  bool Enabled = true;

  // The events; an unassigned one does nothing. Each gets the monitor as its sender.
  using TNotifyEvent = std::function<void(QObject* sender)>;
  TNotifyEvent OnBatteryLow;
  std::function<void(QObject* sender, int eventCode)> OnOEMEvent;
  TNotifyEvent OnSuspend;
  TNotifyEvent OnSuspendQuery;
  std::function<void(QObject* sender, bool& canSuspend)> OnOverrideableSuspendQuery;
  TNotifyEvent OnSuspendDenied;
  TNotifyEvent OnResumeAfterCritical;
  TNotifyEvent OnResumeAfterSuspend;
  TNotifyEvent OnPowerStatusChange;

  // Raises the event for one broadcast (code, parameter) and returns the answer to it: for a
  // suspend query that allows interaction (low 16 bits of the parameter 1) 0 unless a handler
  // refused, then BROADCAST_QUERY_DENY; for every other broadcast `defaultAnswer`.
  qint64 Dispatch(int code, qint64 parameter, qint64 defaultAnswer = 0);

private:
  void TakeSnapshot(const PowerStatus& status);
};

} // namespace zarvo
