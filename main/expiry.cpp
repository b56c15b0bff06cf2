// The countdown of the main window: start and stop, the 400 ms tick, and the actions at expiry.
#include "main/main_window.h"

#include "framework/dialogs.h"
#include "framework/error_box.h"
#include "framework/image_button.h"
#include "main/power_action.h"
#include "platform/clock.h"
#include "platform/platform.h"
#include "small_windows/message_window.h"
#include "small_windows/time_window.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QRadioButton>
#include <QTimeEdit>
#include <optional>

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

CountdownMode TForm1::Mode() const { return RadioAt->isChecked() ? CountdownMode::At : CountdownMode::After; }

int TForm1::PickerMs() const { return SetTime->time().msecsSinceStartOfDay(); }

void TForm1::StartClick() { ToggleCountdown(Refusal::Now); }

void TForm1::ToggleCountdown(Refusal refusal) {
  CountdownRunning = !CountdownRunning;
  if (!Selection.AnySelected()) {
    CountdownRunning = !CountdownRunning;
    const QString text = QStringLiteral("Select an option first");
    if (refusal == Refusal::Now)
      dialogs_.ShowMessage(text);
    else
      QMetaObject::invokeMethod(
          this, [this, text] { dialogs_.ShowMessage(text); }, Qt::QueuedConnection);
    return;
  }
  Start->SetHint(CountdownRunning ? QStringLiteral("Stop counting") : QStringLiteral("Start counting"));
  if (CountdownRunning) {
    platform_.WatchPowerEvents(); // a sleep from here on stops the countdown
    StartTimeOfDay = clock_.TimeOfDayMs();
    last_ = TickReading{};
    SetColor(Label_TimeRemaining, kYellow);
    notices_.Started(RemainingMs(Mode(), PickerMs(), StartTimeOfDay, StartTimeOfDay));
  } else {
    Label_TimeRemaining->setText(QStringLiteral("00:00:00"));
    SetColor(Label_TimeRemaining, kLime);
    notices_.Stopped();
    ShowTimeInTray(QString());
  }
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
  SetTime->setTime(QTime::fromMSecsSinceStartOfDay(AddToTimeOfDay(PickerMs(), 10 * 60 * 1000)));
}

void TForm1::NotificationStopClick() {
  if (CountdownRunning)
    StartClick();
}

void TForm1::Timer1Timer() {
  const int now = clock_.TimeOfDayMs();
  Label_Time->setText(FormatTime(now));

  if (StopPlaying->isVisible() && !MediaPlayer1.IsOpening()) {
    // A player with no open device (its file failed to open) counts as finished.
    if (!MediaPlayer1.IsOpen()) {
      StopPlaying->hide();
    } else {
      const int position = MediaPlayer1.Position();
      if (position == MediaPlayer1.Length())
        StopPlaying->hide();
    }
  }

  if (!CountdownRunning)
    return;

  const CountdownMode mode = Mode();
  const int picker = PickerMs();
  const int remaining = RemainingMs(mode, picker, StartTimeOfDay, now);
  const TickReading reading{remaining, mode, picker, now, clock_.TickCount()};
  const QString text = FormatTime(remaining);
  Label_TimeRemaining->setText(text);
  if (FormTime)
    FormTime->Label_TimeRemaining->setText(text);
  SetColor(Label_TimeRemaining,
           Label_TimeRemaining->palette().color(QPalette::WindowText) == kLime ? kYellow : kLime);

  // A tick that missed the final second (the machine was busy) still ends the countdown instead of
  // letting it run another day; time spent asleep or a clock set forward never does.
  const bool expired = text == QLatin1String("00:00:00") || MissedFinalSecond(last_, reading);
  // While a sleep is announced, nothing ends the countdown, and the reading from before it stays
  // the one to compare with: should the wake-up never be reported, the first tick after the
  // announcement lapses still sees a final second that passed in awake time.
  if (SleepPending())
    return;
  last_ = reading;
  if (expired)
    Expire();
  else {
    notices_.Ticked(remaining, Selection);
    ShowTimeInTray(text);
  }
}

// A wake-up that never comes (logind gone, say) must not hold the countdown for good: an announced
// sleep lasts at most this long in awake time, the delay logind grants to those who hold up a sleep
// and the time it takes to report the wake-up included.
constexpr qint64 kSleepAnnouncementLapseMs = 120'000;

bool TForm1::SleepPending() {
  if (sleepAnnouncedAt_ && clock_.TickCount() - *sleepAnnouncedAt_ > kSleepAnnouncementLapseMs)
    sleepAnnouncedAt_.reset();
  return sleepAnnouncedAt_.has_value();
}

void TForm1::SleepAnnounced() { sleepAnnouncedAt_ = clock_.TickCount(); }

void TForm1::Expire() {
  if (TimeOnlyView)
    ShowTimeClick();
  // The main window's own minimised state is undone; an application minimised with the program's
  // own buttons stays so (only the message step brings it back).
  if (isMinimized() && !applicationMinimised_)
    showNormal();
  // With every action deselected meanwhile, Start refuses and the countdown runs on; the box must
  // not hold up the tick (and the clock) while it is open.
  ToggleCountdown(Refusal::AfterTheTick);
  StartMouseMove();

  if (Selection.AnyPowerSelected())
    PerformPowerAction(QString());

  // A sound that cannot be played must not cost the user the other actions: the error is shown
  // once the application and message steps have run.
  std::optional<QString> soundError;
  if (Selection.PlaySoundSelected) {
    try {
      PlaySoundStep();
    } catch (const EMCIDeviceError& e) {
      soundError = e.Text();
    }
  }
  // A program that cannot be started is said so, after the message step, like the sound's error.
  QString applicationError;
  if (Selection.RunApplicationSelected)
    applicationError = RunApplicationStep();
  if (Selection.ShowMessageSelected)
    ShowMessageStep();
  if (soundError)
    ShowErrorLater(dialogs_, this, *soundError);
  if (!applicationError.isEmpty())
    ShowErrorLater(dialogs_, this, applicationError);
}

void TForm1::PerformPowerAction(const QString& word) {
  platform_.EnableShutdownPrivilege();
  const std::optional<PowerAction> action =
      word.isEmpty() ? SelectedPowerAction(Selection) : ActionForWord(word);
  if (!action)
    return;
  const PowerRequest request = RequestFor(*action, ForceShutDown);
  if (request.kind == PowerRequest::Kind::Exit)
    platform_.ExitWindows(request.exitFlags);
  else
    platform_.SetSystemPowerState(request.suspend, request.force);
}

void TForm1::PlaySoundStep() {
  StopPlaying->show();
  MediaPlayer1.FileName = Selection.SoundFileName;
  // The player answers from the event loop, after the other steps of this expiry have run. A sound
  // whose button was clicked away meanwhile is not started.
  disconnect(&MediaPlayer1, &TMediaPlayer::Opened, this, nullptr);
  connect(&MediaPlayer1, &TMediaPlayer::Opened, this, [this](const QString& error) {
    if (!error.isEmpty())
      ShowErrorLater(dialogs_, this, error);
    else if (!StopPlaying->isHidden())
      MediaPlayer1.Play();
  });
  MediaPlayer1.Open();
}

QString TForm1::RunApplicationStep() {
  const QString reason = platform_.RunCommandLine(Selection.ApplicationCommand);
  if (reason.isEmpty())
    return {};
  return QStringLiteral("The application could not be started:\n%1\n\n%2.")
      .arg(Selection.ApplicationCommand, reason.left(1).toUpper() + reason.mid(1));
}

void TForm1::ShowMessageStep() {
  // Bring the application back from minimised or the tray before the message appears; the tray
  // icon stays until it is clicked.
  RestoreApplication();
  CreateLateWindows();
  FormMessage->ShowMessage();
}

void TForm1::RunMenuCommand(const QString& confirmation, const QString& word) {
  if (Showconfirmation1->isChecked() &&
      dialogs_.MessageBox(this, confirmation, QStringLiteral("Confirmation"), Buttons::OkCancel,
                          Icon::Question) != Answer::Ok)
    return;
  PerformPowerAction(word);
}

void TForm1::ForceShutDown1Click() {
  ForceShutDown1->setChecked(!ForceShutDown1->isChecked());
  ForceShutDown = ForceShutDown1->isChecked();
}

void TForm1::StopPlayingClick() {
  if (MediaPlayer1.IsOpen())
    MediaPlayer1.Stop();
  StopPlaying->hide();
}

void TForm1::StopPlayingMouseMove() {
  if (!Showhelp1->isChecked())
    return;
  const int position = MediaPlayer1.Position();
  const int length = MediaPlayer1.IsOpen() ? MediaPlayer1.Length() : 0;
  SetHint(QStringLiteral("Stop playing") + QString(14, QLatin1Char(' ')) + QString::number(position / 1000) +
              QLatin1Char('/') + QString::number(length / 1000) + QStringLiteral(" s"),
          true);
}

} // namespace zarvo
