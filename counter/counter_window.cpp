#include "counter/counter_window.h"

#include "assets/skin.h"
#include "counter/counter_display.h"
#include "counter/stopwatch.h"
#include "framework/hint_line.h"
#include "framework/image_button.h"
#include "framework/skin_font.h"
#include "platform/clock.h"

#include <QLabel>
#include <QMouseEvent>

namespace zarvo {

TFormCounter::TFormCounter(const QWidget& anchor, HintLine& hints, const SkinPictures& skin,
                           const Clock& clock)
    : SatelliteWindow(anchor, hints, skin, QStringLiteral("FormCounter"), QStringLiteral("Counter"),
                      QSize(200, 140), skin::Path(skin::kCounterTitle),
                      QStringLiteral("Close Counter window"), Dock::BelowMain),
      clock_(clock) {
  auto strip = [](const skin::Strip& s) { return ImageList(skin::Path(s.path), s.frame, s.frames); };
  Start_List = strip(skin::kCounterStartList);
  Pause_List = strip(skin::kCounterPauseList);
  Stop_List = strip(skin::kCounterStopList);

  LabelInfo = SkinLabel(this, QStringLiteral("LabelInfo"), QStringLiteral("Stopped"), QRect(0, 32, 201, 16),
                        SkinFont(13, true));

  Label1 = new QLabel(this);
  Label1->setObjectName(QStringLiteral("Label1"));
  Label1->setGeometry(30, 56, 142, 32);
  Label1->setAutoFillBackground(true);
  QPalette black = Label1->palette();
  black.setColor(QPalette::Window, Qt::black);
  Label1->setPalette(black);
  Label1->setAttribute(Qt::WA_TransparentForMouseEvents);

  Label_Time = new CounterDisplay(this);
  Label_Time->setObjectName(QStringLiteral("Label_Time"));
  Label_Time->setGeometry(31, 57, 140, 30);
  Label_Time->setAlignment(Qt::AlignCenter);
  SetDisplay(0);
  // Opaque green inside Label1's one-pixel black rim: a new text repaints the label alone.
  Label_Time->setAutoFillBackground(true);
  QPalette time = Label_Time->palette();
  time.setColor(QPalette::Window, QColor(0, 128, 0));
  time.setColor(QPalette::WindowText, QColor(0, 255, 0));
  Label_Time->setPalette(time);

  // Read by a screen reader as what they show, with the hint line's words as their description.
  LabelInfo->setAccessibleDescription(QStringLiteral("Counter state"));
  Label_Time->setAccessibleDescription(QStringLiteral("Counter time elapsed"));
  // The two labels are part of the drag surface and name themselves in the hint line.
  for (QLabel* label : {LabelInfo, static_cast<QLabel*>(Label_Time)}) {
    label->setFixedSize(label->size()); // a new text never asks for a new layout
    label->setMouseTracking(true);
    label->installEventFilter(this);
  }

  Stop = new ImageButton(this, QStringLiteral("Stop"), QPoint(7, 95), QStringLiteral("Stop counting"));
  Pause = new ImageButton(this, QStringLiteral("Pause"), QPoint(71, 95), QStringLiteral("Pause counting"));
  Start = new ImageButton(this, QStringLiteral("Start"), QPoint(135, 95), QStringLiteral("Start counting"));
  const std::pair<ImageButton*, ImageList*> buttons[] = {
      {Stop, &Stop_List}, {Pause, &Pause_List}, {Start, &Start_List}};
  for (auto [button, list] : buttons) {
    list->Draw(Frame::Normal, button);
    connect(button, &ImageButton::MouseDown, this,
            [this, button, list] { hints_.ImageButtonDown(*list, button); });
    connect(button, &ImageButton::MouseUp, this,
            [this, button, list] { hints_.ImageButtonUp(*list, button); });
    connect(button, &ImageButton::MouseMove, this,
            [this, button, list] { hints_.ImageButtonHover(*list, button, button->Hint()); });
  }
  connect(Start, &QAbstractButton::clicked, this, &TFormCounter::StartClick);
  connect(Pause, &QAbstractButton::clicked, this, &TFormCounter::PauseClick);
  connect(Stop, &QAbstractButton::clicked, this, &TFormCounter::StopClick);
  TitleBar->raise();
  Title->raise();
  CloseButton->raise();
  Align->raise();
  Locked_->raise();

  Timer1.setInterval(kRefreshMs);
  Timer1.setTimerType(Qt::PreciseTimer); // steady steps of three hundredths
  connect(&Timer1, &QTimer::timeout, this, &TFormCounter::Timer1Timer);
}

void TFormCounter::StartClick() {
  if (CounterPaused) {
    PauseClick(); // resumes
    return;
  }
  CounterStartTick = clock_.BootTickCount();
  PauseStartTick = 0;
  PausedTotal = 0;
  PausedBefore = 0;
  running_ = true;
  LabelInfo->setText(QStringLiteral("Counting"));
  UpdateRefresh();
}

void TFormCounter::PauseClick() {
  if (!running_)
    return;
  const qint64 now = clock_.BootTickCount();
  // Up to date first: a pause shows the last counting tick's figure, a resume carries the pause as
  // of its last tick (the moments after it, less than a tick, count as elapsed).
  if (CounterPaused)
    CatchUpPause(now);
  else
    CountTo(now);
  PauseStartTick = now;
  if (CounterPaused)
    PausedBefore = PausedTotal;
  CounterPaused = !CounterPaused;
  LabelInfo->setText(CounterPaused ? QStringLiteral("Paused") : QStringLiteral("Counting"));
  UpdateRefresh();
}

void TFormCounter::StopClick() {
  if (running_ && !CounterPaused)
    CountTo(clock_.BootTickCount());
  CounterPaused = false;
  running_ = false;
  LabelInfo->setText(QStringLiteral("Stopped"));
  UpdateRefresh();
}

void TFormCounter::Timer1Timer() {
  if (!running_)
    return;
  const qint64 now = clock_.BootTickCount();
  if (CounterPaused)
    CatchUpPause(now); // the display stands still; only the pause grows
  else
    CountTo(now);
}

void TFormCounter::CatchUpPause(qint64 now) {
  const qint64 tick = LastCounterTick(now, CounterStartTick);
  if (tick > PauseStartTick)
    PausedTotal = CounterPausedTotal(tick, PausedBefore, PauseStartTick);
}

void TFormCounter::CountTo(qint64 now) {
  // Counting since the fresh start, or since the resume (PauseStartTick) when there was one.
  const qint64 tick = LastCounterTick(now, CounterStartTick);
  if (tick > qMax(CounterStartTick, PauseStartTick))
    ShowCount(CounterHundredths(tick, CounterStartTick, PausedTotal));
}

void TFormCounter::ShowCount(qint64 hundredths) {
  count_ = hundredths;
  if (onScreen_)
    SetDisplay(hundredths);
}

void TFormCounter::UpdateRefresh() {
  if (running_ && !CounterPaused && onScreen_) {
    if (!Timer1.isActive())
      Timer1.start();
  } else {
    Timer1.stop();
  }
}

void TFormCounter::showEvent(QShowEvent* event) {
  SatelliteWindow::showEvent(event);
  onScreen_ = true;
  // Current before the window's first picture, not one refresh later.
  if (running_ && !CounterPaused)
    CountTo(clock_.BootTickCount());
  SetDisplay(count_);
  UpdateRefresh();
}

void TFormCounter::hideEvent(QHideEvent* event) {
  SatelliteWindow::hideEvent(event);
  onScreen_ = false;
  UpdateRefresh();
}

void TFormCounter::SetDisplay(qint64 hundredths) {
  if (hundredths == shown_)
    return;
  shown_ = hundredths;
  const QString text = FormatCounter(hundredths);
  // From 100 hours on the hours take a third digit: the digits shrink to stay inside the label.
  if (text.size() != Label_Time->text().size())
    Label_Time->setFont(FitFont(SkinFont(24, true), text, 136));
  Label_Time->SetTime(text);
}

void TFormCounter::CloseButtonClick() {
  hide(); // the stopwatch goes on counting
  emit Closed();
}

void TFormCounter::BackgroundHover() {
  hints_.ClearHover();
  hints_.HideHint();
}

bool TFormCounter::eventFilter(QObject* watched, QEvent* event) {
  if (watched == Label_Time || watched == LabelInfo) {
    if (event->type() == QEvent::MouseButtonPress) {
      BackgroundPress(static_cast<QMouseEvent*>(event));
      return false;
    }
    if (event->type() == QEvent::MouseMove) {
      BackgroundMove(static_cast<QMouseEvent*>(event));
      hints_.SetHint(watched == Label_Time ? QStringLiteral("Counter time elapsed")
                                           : QStringLiteral("Counter state"),
                     false);
      return true;
    }
  }
  return SatelliteWindow::eventFilter(watched, event);
}

} // namespace zarvo
