// The stopwatch's arithmetic: elapsed time from monotonic tick counts, and its H:M:S:C display text.
#pragma once

#include <QString>
#include <QtGlobal>

namespace zarvo {

// The stopwatch ticks every 10 ms from its fresh start: its figures are those of the last tick,
// whether or not the display was refreshed at it.
inline constexpr qint64 kCounterTickMs = 10;

// The last tick at or before `now` of a stopwatch started at `startTick`; `startTick` itself while
// no tick has come yet.
inline qint64 LastCounterTick(qint64 now, qint64 startTick) {
  return now <= startTick ? startTick : startTick + (now - startTick) / kCounterTickMs * kCounterTickMs;
}

// Hundredths of a second counted since `startTick`, less the time spent paused; truncated, never
// negative (a tick count that went backwards shows zero rather than a minus sign).
qint64 CounterHundredths(qint64 now, qint64 startTick, qint64 pausedTotal);

// Time spent paused as of `now`: the pauses that ended before plus the running one.
inline qint64 CounterPausedTotal(qint64 now, qint64 pausedBefore, qint64 pauseStartTick) {
  return pausedBefore + (now - pauseStartTick);
}

// "HH:MM:SS:CC" for `hundredths`; hours do not wrap at 24 and take a third digit from 100 hours on.
QString FormatCounter(qint64 hundredths);

} // namespace zarvo
