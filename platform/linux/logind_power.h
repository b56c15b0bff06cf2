// Power requests through systemd-logind (and the desktop's session manager for log-off) over D-Bus.
#pragma once

#include "platform/platform.h"

#include <QObject>

namespace zarvo {

class LogindPower : public QObject {
  Q_OBJECT
public:
  explicit LogindPower(QObject* parent = nullptr);
  ~LogindPower() override;

  void ExitWindows(unsigned flags);
  void SetSystemPowerState(bool suspend, bool force);

signals:
  void PowerBroadcast(int event, qint64 parameter);
};

// Reads the power supply state from a sysfs power_supply folder.
PowerStatus ReadPowerSupplyStatus(const QString& folder);

} // namespace zarvo
