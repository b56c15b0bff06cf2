#include "counter/stopwatch.h"

namespace zarvo {

qint64 CounterHundredths(qint64 now, qint64 startTick, qint64 pausedTotal) {
  const qint64 elapsed = now - startTick - pausedTotal;
  return elapsed > 0 ? elapsed / 10 : 0;
}

QString FormatCounter(qint64 hundredths) {
  if (hundredths < 0)
    hundredths = 0;
  const qint64 h = hundredths / 360'000;
  qint64 t = hundredths - h * 360'000;
  const qint64 m = t / 6'000;
  t -= m * 6'000;
  const qint64 s = t / 100;
  const qint64 c = t - s * 100;
  const QLatin1Char zero('0');
  return QStringLiteral("%1:%2:%3:%4")
      .arg(h, 2, 10, zero)
      .arg(m, 2, 10, zero)
      .arg(s, 2, 10, zero)
      .arg(c, 2, 10, zero);
}

} // namespace zarvo
