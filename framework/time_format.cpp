#include "framework/time_format.h"

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

int AddToTimeOfDay(int timeOfDayMs, int plusMs) {
  return ModuloDay(static_cast<qint64>(timeOfDayMs) + plusMs);
}

} // namespace zarvo
