// One countdown without widgets: its state, the 400 ms tick's reading, the rules that decide when it
// ends (the final second, a final second missed while awake, a sleep), and what a running countdown
// tells the desktop (the warnings and the idle inhibitor). The windows follow it through signals.
#pragma once

#include "main/countdown.h"
#include "main/countdown_notices.h"

#include <QObject>
#include <QString>
#include <optional>

namespace zarvo {

class Clock;
class Platform;
struct ActionSelection;

class CountdownSession final : public QObject {
  Q_OBJECT
public:
  // `selection` is read at each tick for the warnings (the Options window writes it).
  CountdownSession(const Clock& clock, Platform& platform, const ActionSelection& selection);

  // The mode and picker value each tick reads (the main window's radio buttons and time picker).
  // A running countdown whose end they move says so (TargetChanged).
  void SetMode(CountdownMode mode);
  void SetPickerMs(int ms);
  CountdownMode Mode() const { return mode_; }
  int PickerMs() const { return pickerMs_; }

  bool CountdownRunning() const { return running_; }
  // The local time of day, in ms since midnight, at which the running countdown started.
  int StartTimeOfDay() const { return startTimeOfDay_; }
  // The remaining time as of now; 0 while stopped.
  int RemainingNowMs() const;
  // The time of day, in ms since midnight, at which the running countdown ends.
  int TargetTimeOfDay() const;

  // Starts a countdown from now with the current mode and picker; stops it. Each does nothing in
  // the state it leads to.
  void Start();
  void Stop();

  // One tick of Timer1. While a countdown runs: RemainingChanged with the new reading, then
  // Expired when this tick ends it, else Counting.
  void Tick();

  // The system is about to sleep: until it has woken up (or the announcement lapses), no tick ends
  // the countdown; the wake-up stops it instead.
  void SleepAnnounced();
  // The system has woken up: the announced sleep is over.
  void WokeUp();

  // An announced sleep lasts at most this long in awake time, should its wake-up never be reported:
  // the delay logind grants to those who hold up a sleep and the time to report the wake-up included.
  static constexpr qint64 kSleepAnnouncementLapseMs = 120'000;
  // How late (in awake time) a tick that missed the final second may come and still act.
  static constexpr int kLateActionLimitMs = 60'000;

signals:
  void Started();
  void Stopped();
  // The running countdown's mode or picker changed: it ends at another time.
  void TargetChanged();
  // Each tick of a running countdown, with the remaining time as the windows show it ("HH:mm:ss").
  void RemainingChanged(const QString& text);
  // A tick that did not end the countdown, outside an announced sleep.
  void Counting(const QString& text);
  // This tick ends the countdown: the owner stops it and carries out the actions.
  void Expired();
  // The final second passed unseen while the program stood still, and this tick comes `lateMs`
  // after it, too late to act: the owner stops the countdown and says so.
  void Lapsed(int lateMs);
  // The warning's buttons.
  void PostponeRequested();
  void StopRequested();

private:
  bool SleepPending();

  const Clock& clock_;
  Platform& platform_;
  const ActionSelection& selection_;
  CountdownNotices notices_;
  CountdownMode mode_ = CountdownMode::After;
  int pickerMs_ = 60'000;
  bool running_ = false;
  int startTimeOfDay_ = 0;
  // The last tick's reading of the running countdown, to notice a final second with no tick in it.
  TickReading last_;
  // The monotonic tick count at which the system announced a sleep that has not yet ended in a
  // wake-up. Meanwhile no tick ends the countdown: the first ticks after waking can run before the
  // wake-up is reported, and the wake-up stops the countdown with its warning instead.
  std::optional<qint64> sleepAnnouncedAt_;
};

} // namespace zarvo
