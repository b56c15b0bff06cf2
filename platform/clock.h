// The time source of the countdown and the stopwatch: local time of day and a monotonic tick.
#pragma once

#include <QtGlobal>

namespace zarvo {

// Milliseconds in one day; every time of day lies in [0, kDayMs).
inline constexpr int kDayMs = 86'400'000;

class Clock {
public:
  virtual ~Clock() = default;
  // Local time of day in milliseconds since midnight, 0 .. 86,399,999.
  virtual int TimeOfDayMs() const = 0;
  // Monotonic milliseconds since some fixed point. It stands still while the machine is suspended
  // or hibernated, and no one can set it: the countdown tells awake time from a sleep or a clock
  // set forward by comparing its advance with the time of day's.
  virtual qint64 TickCount() const = 0;
  // Milliseconds since some fixed point, counting the time the machine is suspended or hibernated
  // too: the stopwatch measures real elapsed time.
  virtual qint64 BootTickCount() const = 0;
};

// The real clock: the system's local time and a steady timer. One thread's.
class SystemClock final : public Clock {
public:
  int TimeOfDayMs() const override;
  qint64 TickCount() const override;
  qint64 BootTickCount() const override;

private:
  // The local zone's offset from UTC, and the UTC minute it was read in (see TimeOfDayMs).
  mutable qint64 offsetMs_ = 0;
  mutable qint64 offsetMinute_ = -1;
};

} // namespace zarvo
