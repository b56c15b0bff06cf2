// The countdown's time arithmetic: remaining time modulo one day, "HH:mm:ss" text, missed-second check.
#pragma once

#include "platform/clock.h"

#include <QString>

namespace zarvo {

enum class CountdownMode { After, At };

// Reduces any span of milliseconds into 0 .. 86,399,999.
int ModuloDay(qint64 ms);

// "HH:mm:ss" of a time of day; the milliseconds are dropped, not rounded.
QString FormatTime(int timeOfDayMs);

// Remaining time at `now`: After counts `pickerMs` from `startMs`; At counts down to `pickerMs`,
// a target earlier than now meaning tomorrow.
int RemainingMs(CountdownMode mode, int pickerMs, int startMs, int nowMs);

// A time of day `plusMs` later, wrapping past midnight.
int AddToTimeOfDay(int timeOfDayMs, int plusMs);

// Whether the remaining time went through zero between two ticks of one countdown (same mode and
// target) with no tick in the final second, as when the machine was busy: the reading grew, and the
// way forward from the previous reading through zero to the new one is under half a day. A clock
// set back (which also makes the reading grow) moves it by far more than that through zero.
// The wrap of a zero "After" duration or of an "At" target in the past shows on the first tick,
// which has no previous reading, so it is never mistaken for this.
bool CrossedZero(int previousRemainingMs, int remainingMs);

} // namespace zarvo
