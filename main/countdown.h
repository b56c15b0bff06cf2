// The countdown's time arithmetic: remaining time modulo one day and the missed-final-second check.
#pragma once

#include "framework/time_format.h"

#include <QString>

namespace zarvo {

enum class CountdownMode { After, At };

// Remaining time at `now`: After counts `pickerMs` from `startMs`; At counts down to `pickerMs`,
// a target earlier than now meaning tomorrow.
int RemainingMs(CountdownMode mode, int pickerMs, int startMs, int nowMs);

// Whether the remaining time went through zero between two ticks of one countdown (same mode and
// target) with no tick in the final second, as when the machine was busy: the reading grew, and the
// way forward from the previous reading through zero to the new one is under half a day. A clock
// set back (which also makes the reading grow) moves it by far more than that through zero.
// The wrap of a zero "After" duration or of an "At" target in the past shows on the first tick,
// which has no previous reading, so it is never mistaken for this.
bool CrossedZero(int previousRemainingMs, int remainingMs);

} // namespace zarvo
