// The main window's side of the countdown: Start, the mode and picker, the 400 ms tick, and the
// labels, tray tooltip and Time window that follow the countdown session.
#include "main/main_window.h"

#include "framework/dialogs.h"
#include "framework/image_button.h"
#include "main/timed_command_line.h"
#include "platform/clock.h"
#include "small_windows/time_window.h"

#include <QLabel>
#include <QRadioButton>
#include <QTimeEdit>

namespace zarvo {

namespace {

const QColor kLime(0, 255, 0);
const QColor kYellow(255, 255, 0);

void SetColor(QLabel* label, const QColor& color) {
  QPalette pal = label->palette();
  pal.setColor(QPalette::WindowText, color);
  label->setPalette(pal);
}

} // namespace

void TForm1::ConnectSession() {
  // The session reads the mode and the picker as the user leaves them.
  session_.SetPickerMs(SetTime->time().msecsSinceStartOfDay());
  connect(SetTime, &QTimeEdit::timeChanged, this,
          [this](QTime time) { session_.SetPickerMs(time.msecsSinceStartOfDay()); });
  connect(RadioAt, &QRadioButton::toggled, this,
          [this](bool at) { session_.SetMode(at ? CountdownMode::At : CountdownMode::After); });

  connect(&session_, &CountdownSession::Started, this, [this] {
    Start->SetHint(QStringLiteral("Stop counting"));
    SetColor(Label_TimeRemaining, kYellow);
    CheckSelectedPowerAction(); // said now, not when the user has walked away
    PaceTick();
  });
  connect(&session_, &CountdownSession::Stopped, this, [this] {
    Start->SetHint(QStringLiteral("Start counting"));
    Label_TimeRemaining->setText(QStringLiteral("00:00:00"));
    SetColor(Label_TimeRemaining, kLime);
    ShowTimeInTray(QString());
    // The time-only view exists only while a countdown runs: however it stopped (the warning's
    // Stop, a wake-up), the full view comes back.
    if (TimeOnlyView)
      SetTimeOnlyView(false);
  });
  connect(&session_, &CountdownSession::RemainingChanged, this, [this](const QString& text) {
    Label_TimeRemaining->setText(text);
    SetColor(Label_TimeRemaining,
             Label_TimeRemaining->palette().color(QPalette::WindowText) == kLime ? kYellow : kLime);
  });
  connect(&session_, &CountdownSession::Counting, this, &TForm1::ShowTimeInTray);
  connect(&session_, &CountdownSession::Expired, this, &TForm1::Expire);
  connect(&session_, &CountdownSession::Lapsed, this, &TForm1::CountdownLapsed);
  connect(&session_, &CountdownSession::PostponeRequested, this,
          [this] { Guarded([this] { PostponeClick(); }); });
  connect(&session_, &CountdownSession::StopRequested, this,
          [this] { Guarded([this] { NotificationStopClick(); }); });
}

void TForm1::StartClick() { ToggleCountdown(Refusal::Now); }

void TForm1::ToggleCountdown(Refusal refusal) {
  if (!Selection.AnySelected()) {
    const QString text = QStringLiteral("Select an option first");
    if (refusal == Refusal::Now)
      dialogs_.ShowMessage(text);
    else
      QMetaObject::invokeMethod(
          this, [this, text] { dialogs_.ShowMessage(text); }, Qt::QueuedConnection);
    return;
  }
  if (CountdownRunning())
    session_.Stop();
  else
    session_.Start();
}

void TForm1::RadioAfterClick() {
  RadioAfter->setChecked(true);
  SetTime->setTime(QTime(0, 1, 0));
}

void TForm1::RadioAtClick() {
  RadioAt->setChecked(true);
  SetTime->setTime(QTime::fromMSecsSinceStartOfDay(AddToTimeOfDay(clock_.TimeOfDayMs(), 5 * 60 * 1000)));
}

void TForm1::PostponeClick() {
  if (const QString refusal = PostponeBy(10 * 60 * 1000); !refusal.isEmpty() && CountdownRunning())
    MessageBoxLater(refusal, QStringLiteral("Zarvo"));
}

QString TForm1::PostponeBy(qint64 ms) {
  if (!CountdownRunning())
    return QStringLiteral("no countdown runs");
  if (ms < 1000)
    return QStringLiteral("give at least one second");
  // The time left is counted modulo a day: a day or more would wrap round to a short countdown.
  const qint64 remaining = session_.RemainingNowMs();
  if (remaining + ms >= kDayMs)
    return QStringLiteral("%1 seconds more would make the countdown a day or more (%2 left); the longest is "
                          "23:59:59")
        .arg(ms / 1000)
        .arg(FormatTime(static_cast<int>(remaining)));
  SetTime->setTime(QTime::fromMSecsSinceStartOfDay(
      AddToTimeOfDay(SetTime->time().msecsSinceStartOfDay(), static_cast<int>(ms))));
  return {};
}

void TForm1::NotificationStopClick() {
  if (CountdownRunning())
    StartClick();
}

void TForm1::Timer1Timer() {
  Label_Time->setText(FormatTime(clock_.TimeOfDayMs()));

  // The end of playback: a player that is not open (its file failed to open) counts as finished;
  // one still opening its file does not.
  // The button's own shown state, not whether it is on screen: the window may be hidden (the tray,
  // the time-only view) while the sound ends.
  if (!StopPlaying->isHidden() && !MediaPlayer1.IsOpening()) {
    if (!MediaPlayer1.IsOpen()) {
      StopPlaying->hide();
    } else {
      const int position = MediaPlayer1.Position();
      if (position == MediaPlayer1.Length())
        StopPlaying->hide();
    }
  }

  session_.Tick();
  PaceTick();
}

void TForm1::PaceTick() {
  // A stopped Timer1 stays stopped: the window has closed, or a test drives the ticks.
  if (!Timer1.isActive())
    return;
  if (CountdownRunning() || !StopPlaying->isHidden()) {
    if (Timer1.interval() != kTickMs)
      Timer1.start(kTickMs);
    return;
  }
  // Only the clock changes, once a second: a tick every 400 ms would wake the program two times in
  // three for nothing, and show each new second up to 400 ms late. A few ms past the second keeps
  // the tick clear of the one before it.
  constexpr int kPastTheSecondMs = 5;
  Timer1.start(1000 - clock_.TimeOfDayMs() % 1000 + kPastTheSecondMs);
}

void TForm1::StartTimed(const TimedStart& start) {
  (start.mode == CountdownMode::At ? RadioAt : RadioAfter)->setChecked(true);
  SetTime->setTime(QTime::fromMSecsSinceStartOfDay(start.pickerMs));
  if (!CountdownRunning())
    StartClick();
}

void TForm1::ShowTimeInTray(const QString& remaining) {
  // An icon out of the tray needs no tooltip; the first tick after Hide gives it one.
  if (!remaining.isEmpty() && !CoolTrayIcon1.IconVisible())
    return;
  const QString hint = remaining.isEmpty() ? QStringLiteral("Zarvo") : QStringLiteral("Zarvo\n") + remaining;
  // The text changes once a second, the tick comes every 400 ms: the tray hears only of changes.
  if (CoolTrayIcon1.Hint() != hint)
    CoolTrayIcon1.SetHint(hint);
}

} // namespace zarvo
