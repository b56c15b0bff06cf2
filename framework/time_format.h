// Times of day in milliseconds since midnight, and their "HH:mm:ss" text.
#pragma once

#include "platform/clock.h"

#include <QString>

namespace zarvo {

// Reduces any span of milliseconds into 0 .. 86,399,999.
int ModuloDay(qint64 ms);

// "HH:mm:ss" of a time of day; the milliseconds are dropped, not rounded.
QString FormatTime(int timeOfDayMs);

// A time of day `plusMs` later, wrapping past midnight.
int AddToTimeOfDay(int timeOfDayMs, int plusMs);

} // namespace zarvo
