// The machine's power supply as a power status record, read from sysfs.
#pragma once

#include "platform/platform.h"

#include <QString>

namespace zarvo {

// Reads a sysfs power_supply folder (normally /sys/class/power_supply): mains adapters give the
// AC line status, the system's batteries (not those of a mouse or a headset) the battery flag,
// percent and, while discharging, the seconds left.
PowerStatus ReadPowerSupplyStatus(const QString& folder);

} // namespace zarvo
