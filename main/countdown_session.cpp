#include "main/countdown_session.h"

#include "options/action_selection.h"
#include "platform/clock.h"
#include "platform/platform.h"

namespace zarvo {

CountdownSession::CountdownSession(const Clock& clock, Platform& platform, const ActionSelection& selection)
    : clock_(clock), platform_(platform), selection_(selection),
      notices_(
          platform, [this] { emit PostponeRequested(); }, [this] { emit StopRequested(); }) {}

int CountdownSession::RemainingNowMs() const {
  return running_ ? RemainingMs(mode_, pickerMs_, startTimeOfDay_, clock_.TimeOfDayMs()) : 0;
}

int CountdownSession::TargetTimeOfDay() const {
  return mode_ == CountdownMode::At ? pickerMs_ : AddToTimeOfDay(startTimeOfDay_, pickerMs_);
}

void CountdownSession::SetMode(CountdownMode mode) {
  if (mode_ == mode)
    return;
  mode_ = mode;
  if (running_)
    emit TargetChanged();
}

void CountdownSession::SetPickerMs(int ms) {
  if (pickerMs_ == ms)
    return;
  pickerMs_ = ms;
  if (running_)
    emit TargetChanged();
}

void CountdownSession::Start() {
  if (running_)
    return;
  platform_.WatchPowerEvents(); // a sleep from here on stops the countdown
  running_ = true;
  startTimeOfDay_ = clock_.TimeOfDayMs();
  last_ = TickReading{};
  notices_.Started(RemainingMs(mode_, pickerMs_, startTimeOfDay_, startTimeOfDay_));
  emit Started();
}

void CountdownSession::Stop() {
  if (!running_)
    return;
  running_ = false;
  notices_.Stopped();
  emit Stopped();
}

void CountdownSession::Tick() {
  if (!running_)
    return;
  const int now = clock_.TimeOfDayMs();
  const int remaining = RemainingMs(mode_, pickerMs_, startTimeOfDay_, now);
  const TickReading reading{remaining, mode_, pickerMs_, now, clock_.TickCount()};
  const QString text = FormatTime(remaining);
  emit RemainingChanged(text);

  // A tick that missed the final second (the machine was busy) still ends the countdown instead of
  // letting it run another day; time spent asleep or a clock set forward never does.
  const bool onTime = text == QLatin1String("00:00:00");
  const bool missed = !onTime && MissedFinalSecond(last_, reading);
  // A tick that comes long after the target (the process stood still for minutes) acts no more: a
  // shut-down an hour late is not what the user asked for.
  const int lateMs = missed ? kDayMs - remaining : 0;
  // While a sleep is announced, nothing ends the countdown, and the reading from before it stays
  // the one to compare with: should the wake-up never be reported, the first tick after the
  // announcement lapses still sees a final second that passed in awake time.
  if (SleepPending())
    return;
  last_ = reading;
  if (lateMs > kLateActionLimitMs) {
    emit Lapsed(lateMs);
    return;
  }
  if (onTime || missed) {
    emit Expired();
    return;
  }
  notices_.Ticked(remaining, selection_);
  emit Counting(text);
}

bool CountdownSession::SleepPending() {
  if (sleepAnnouncedAt_ && clock_.TickCount() - *sleepAnnouncedAt_ > kSleepAnnouncementLapseMs)
    sleepAnnouncedAt_.reset();
  return sleepAnnouncedAt_.has_value();
}

void CountdownSession::SleepAnnounced() { sleepAnnouncedAt_ = clock_.TickCount(); }

void CountdownSession::WokeUp() { sleepAnnouncedAt_.reset(); }

} // namespace zarvo
