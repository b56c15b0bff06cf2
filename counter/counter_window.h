// TFormCounter: the stopwatch window, a satellite of the main window.
#pragma once

#include "counter/counter_display.h"
#include "framework/satellite_frame.h"

#include <QTimer>

class QLabel;

namespace zarvo {

class Clock;

class TFormCounter final : public SatelliteWindow {
  Q_OBJECT
public:
  TFormCounter(const QWidget& anchor, HintLine& hints, const SkinPictures& skin, const Clock& clock);

  // Start: from zero when stopped or counting, resumes when paused.
  void StartClick();
  // Pause: pauses or resumes; does nothing while stopped.
  void PauseClick();
  // Stop: the display keeps the last value shown.
  void StopClick();
  // Brings the stopwatch up to now: the ticks since the last call (a paused tick lengthens the
  // pause) and, while counting on screen, the display. Timer1 calls it.
  void Timer1Timer();

  void CloseButtonClick() override;

  // The stopwatch, in milliseconds of the Clock's boot-time tick count. Its ticks come every 10 ms
  // from the fresh start (LastCounterTick); they are worked out when needed rather than each woken
  // for, so a paused or hidden stopwatch costs nothing.
  bool CounterPaused = false;
  qint64 CounterStartTick = 0;
  qint64 PauseStartTick = 0;
  qint64 PausedTotal = 0;  // paused since the fresh start, as of the last tick (includes a running pause)
  qint64 PausedBefore = 0; // in pauses that ended before the current one
  // Refreshes the display while the stopwatch counts on screen. Every 70 ms: fourteen pictures a
  // second, which keeps a counting stopwatch under one per cent of a core on a busy machine, and
  // seven ticks apart, so that the last digit still takes every value.
  QTimer Timer1;
  static constexpr int kRefreshMs = 70;

  QLabel* LabelInfo = nullptr;
  QLabel* Label1 = nullptr;
  CounterDisplay* Label_Time = nullptr;
  ImageButton* Stop = nullptr;
  ImageButton* Pause = nullptr;
  ImageButton* Start = nullptr;
  ImageList Start_List;
  ImageList Pause_List;
  ImageList Stop_List;

protected:
  void BackgroundHover() override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;

private:
  // The paused ticks up to `now`: PausedTotal as of the last of them.
  void CatchUpPause(qint64 now);
  // The display as of the last tick at or before `now`, if one came since counting (re)started.
  void CountTo(qint64 now);
  // The hundredths to show; drawn at once while on screen, else when the window is shown.
  void ShowCount(qint64 hundredths);
  void SetDisplay(qint64 hundredths);
  // Timer1 runs while the stopwatch counts on screen, and only then.
  void UpdateRefresh();

  const Clock& clock_;
  bool running_ = false;  // counting or paused
  bool onScreen_ = false; // shown, and not taken off the screen by the desktop
  qint64 count_ = 0;      // the hundredths the display stands for
  qint64 shown_ = -1;     // the hundredths Label_Time shows, so it is set only when they changed
};

} // namespace zarvo
