#include "platform/linux/logind_power.h"

namespace zarvo {

LogindPower::LogindPower(QObject* parent) : QObject(parent) {}
LogindPower::~LogindPower() = default;

void LogindPower::ExitWindows(unsigned) {}
void LogindPower::SetSystemPowerState(bool, bool) {}

PowerStatus ReadPowerSupplyStatus(const QString&) { return {}; }

} // namespace zarvo
