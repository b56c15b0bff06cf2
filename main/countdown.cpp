#include "main/countdown.h"

namespace zarvo {

int RemainingMs(CountdownMode mode, int pickerMs, int startMs, int nowMs) {
  if (mode == CountdownMode::After)
    return ModuloDay(static_cast<qint64>(pickerMs) - (static_cast<qint64>(nowMs) - startMs));
  return ModuloDay(static_cast<qint64>(pickerMs) - nowMs);
}

bool CrossedZero(int previousRemainingMs, int remainingMs) {
  if (previousRemainingMs < 0 || remainingMs <= previousRemainingMs)
    return false;
  const qint64 forwardThroughZero = static_cast<qint64>(previousRemainingMs) + (kDayMs - remainingMs);
  return forwardThroughZero <= kDayMs / 2;
}

bool AwakeBetween(const TickReading& previous, const TickReading& current) {
  const qint64 monotonic = current.tickCount - previous.tickCount;
  // The time of day wraps at midnight; the way forward is the one meant (a clock set back shows
  // as nearly a day forward, which the monotonic clock never matches within one countdown tick).
  const qint64 wall = ModuloDay(static_cast<qint64>(current.timeOfDayMs) - previous.timeOfDayMs);
  return monotonic >= 0 && qAbs(wall - monotonic) <= kClockAgreementMs;
}

bool MissedFinalSecond(const TickReading& previous, const TickReading& current) {
  // A previous reading under a second read "00:00:00": that tick fell in the final second, so the
  // wrap to the next day that follows it is no missed second.
  return previous.remainingMs >= 1000 && previous.mode == current.mode &&
         previous.pickerMs == current.pickerMs && AwakeBetween(previous, current) &&
         CrossedZero(previous.remainingMs, current.remainingMs);
}

} // namespace zarvo
