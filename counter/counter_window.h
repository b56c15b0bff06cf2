// TFormCounter: the stopwatch window, a satellite of the main window.
#pragma once

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
  // Every 10 ms while counting or paused.
  void Timer1Timer();

  void CloseButtonClick() override;

  // The stopwatch, in milliseconds of the Clock's monotonic tick count.
  bool CounterPaused = false;
  qint64 CounterStartTick = 0;
  qint64 PauseStartTick = 0;
  qint64 PausedTotal = 0;  // paused since the fresh start, as of the last tick (includes a running pause)
  qint64 PausedBefore = 0; // in pauses that ended before the current one
  QTimer Timer1;           // active while counting or paused

  QLabel* LabelInfo = nullptr;
  QLabel* Label1 = nullptr;
  QLabel* Label_Time = nullptr;
  ImageButton* Stop = nullptr;
  ImageButton* Pause = nullptr;
  ImageButton* Start = nullptr;
  ImageList Start_List;
  ImageList Pause_List;
  ImageList Stop_List;

protected:
  void BackgroundHover() override;
  bool eventFilter(QObject* watched, QEvent* event) override;

private:
  void SetDisplay(qint64 hundredths);

  const Clock& clock_;
  qint64 shown_ = -1; // the hundredths Label_Time shows, so a tick sets the text only when it changed
};

} // namespace zarvo
