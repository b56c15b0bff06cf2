#include "components/apm.h"

namespace zarvo {

namespace {

// Whether `flag` has no bit outside `allowed`.
constexpr bool Within(quint8 flag, quint8 allowed) { return (flag & ~allowed) == 0; }

void Raise(const TAPM::TNotifyEvent& event, QObject* sender) {
  if (event)
    event(sender);
}

} // namespace

QString ACPowerStatusText(quint8 flag) {
  switch (flag) {
  case 0: return QStringLiteral("OffLine");
  case 1: return QStringLiteral("OnLine");
  default: return QStringLiteral("Unknown");
  }
}

QString BatteryChargeStatusText(quint8 flag) {
  if (Within(flag, 1))
    return QStringLiteral("High");
  if (Within(flag, 2))
    return QStringLiteral("Low");
  if (Within(flag, 4))
    return QStringLiteral("Critical");
  if (Within(flag, 8))
    return QStringLiteral("Charging");
  if (Within(flag, 128))
    return QStringLiteral("No Battery");
  return QStringLiteral("Unknown");
}

TAPM::TAPM(Platform& platform, QObject* owner) : QObject(owner) {
  setObjectName(QStringLiteral("APM1"));
  TakeSnapshot(platform.GetPowerStatus());
  connect(&platform, &Platform::PowerBroadcast, this,
          [this](int event, qint64 parameter) { Dispatch(event, parameter); });
}

void TAPM::TakeSnapshot(const PowerStatus& status) {
  ACPowerStatusFlag = status.acLineStatus;
  ACPowerStatus = ACPowerStatusText(status.acLineStatus);
  BatteryChargeStatusFlag = status.batteryFlag;
  BatteryChargeStatus = BatteryChargeStatusText(status.batteryFlag);
  BatteryLifePercent = status.batteryLifePercent;
  BatteryLifeTime = status.batteryLifeTime;
  BatteryLifeFullTime = status.batteryFullLifeTime;
}

qint64 TAPM::Dispatch(int code, qint64 parameter, qint64 defaultAnswer) {
  if (!Enabled)
    return defaultAnswer;
  switch (code) {
  case PowerEvent::BatteryLow: Raise(OnBatteryLow, this); break;
  case PowerEvent::OemEvent:
    if (OnOEMEvent)
      OnOEMEvent(this, static_cast<int>(parameter));
    break;
  case PowerEvent::Suspend: Raise(OnSuspend, this); break;
  case PowerEvent::QuerySuspend:
    if ((parameter & 0xFFFF) == 1) {
      bool canSuspend = true;
      if (OnOverrideableSuspendQuery)
        OnOverrideableSuspendQuery(this, canSuspend);
      return canSuspend ? 0 : BROADCAST_QUERY_DENY;
    }
    Raise(OnSuspendQuery, this);
    break;
  case PowerEvent::QuerySuspendFailed: Raise(OnSuspendDenied, this); break;
  case PowerEvent::ResumeCritical: Raise(OnResumeAfterCritical, this); break;
  case PowerEvent::ResumeSuspend: Raise(OnResumeAfterSuspend, this); break;
  case PowerEvent::PowerStatusChange: Raise(OnPowerStatusChange, this); break;
  default: break; // the stand-by variants (1, 3, 5, 8) and every other code raise nothing
  }
  return defaultAnswer;
}

} // namespace zarvo
