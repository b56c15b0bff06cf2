#include "main/countdown.h"

namespace zarvo {

int ModuloDay(qint64 ms) {
  qint64 r = ms % kDayMs;
  if (r < 0)
    r += kDayMs;
  return static_cast<int>(r);
}

QString FormatTime(int timeOfDayMs) {
  const int t = ModuloDay(timeOfDayMs) / 1000;
  return QStringLiteral("%1:%2:%3")
      .arg(t / 3600, 2, 10, QLatin1Char('0'))
      .arg(t / 60 % 60, 2, 10, QLatin1Char('0'))
      .arg(t % 60, 2, 10, QLatin1Char('0'));
}

int RemainingMs(CountdownMode mode, int pickerMs, int startMs, int nowMs) {
  if (mode == CountdownMode::After)
    return ModuloDay(static_cast<qint64>(pickerMs) - (static_cast<qint64>(nowMs) - startMs));
  return ModuloDay(static_cast<qint64>(pickerMs) - nowMs);
}

int AddToTimeOfDay(int timeOfDayMs, int plusMs) { return ModuloDay(static_cast<qint64>(timeOfDayMs) + plusMs); }

bool CrossedZero(int previousRemainingMs, int remainingMs) {
  if (previousRemainingMs < 0 || remainingMs <= previousRemainingMs)
    return false;
  const qint64 forwardThroughZero = static_cast<qint64>(previousRemainingMs) + (kDayMs - remainingMs);
  return forwardThroughZero <= kDayMs / 2;
}

} // namespace zarvo
