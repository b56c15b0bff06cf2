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

} // namespace zarvo
