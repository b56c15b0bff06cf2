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

// What one tick of a running countdown saw: its reading, the picker and mode it was computed from,
// and both clocks at that moment.
struct TickReading {
  int remainingMs = -1; // -1: no tick of this countdown yet
  CountdownMode mode = CountdownMode::After;
  int pickerMs = 0;
  int timeOfDayMs = 0;
  qint64 tickCount = 0;
};

// How far the wall clock may run apart from the monotonic clock between two ticks while the
// machine stays awake and nobody sets the clock: the two are read back to back, and time
// synchronisation slews the wall clock by well under a millisecond a second.
inline constexpr int kClockAgreementMs = 1000;

// Whether the time between two ticks was awake time: the wall clock advanced as far as the
// monotonic clock. The monotonic clock stands still during a suspend or hibernation while the wall
// clock goes on, and a clock set forward by hand or by time synchronisation jumps alone; a stalled
// process sees both advance alike.
bool AwakeBetween(const TickReading& previous, const TickReading& current);

// Whether the final second passed with no tick in it while the machine was awake: the countdown is
// the same (mode and target), the time between the ticks was awake time, and the reading went
// through zero. Only then may a tick that does not read "00:00:00" end the countdown.
bool MissedFinalSecond(const TickReading& previous, const TickReading& current);

} // namespace zarvo
