// The actions at expiry, one step after the other (power action, sound, application, message), the
// Run menu's immediate power actions, the force option and the stop-playing button.
#include "main/main_window.h"

#include "framework/dialogs.h"
#include "framework/error_box.h"
#include "framework/image_button.h"
#include "main/power_action.h"
#include "main/step_chain.h"
#include "platform/platform.h"
#include "small_windows/message_window.h"

#include <QAction>
#include <QPointer>

#include <memory>

namespace zarvo {

void TForm1::Expire() {
  if (TimeOnlyView)
    ShowTimeClick();
  // The main window's own minimised state is undone; an application minimised with the program's
  // own buttons stays so (only the message step brings it back).
  if (isMinimized() && !group_.ApplicationMinimised())
    showNormal();
  // With every action deselected meanwhile, Start refuses and the countdown runs on; the box must
  // not hold up the tick (and the clock) while it is open.
  ToggleCountdown(Refusal::AfterTheTick);
  StartMouseMove();
  if (CountdownRunning())
    return;

  // The actions as they stand now: the steps after a stand-by run after the wake-up.
  const ActionSelection chosen = Selection;
  // What could not be done is said once every step has run: a sound that cannot be played or a
  // program that cannot be started must not cost the user the other actions.
  auto errors = std::make_shared<QStringList>();
  // The power request's answer, which a shut-down gives while the later steps run: a refusal is told
  // after them.
  struct PowerOutcome {
    std::optional<PowerAnswer> answer;
    StepChain::Next report; // the final step, waiting for the answer
  };
  auto power = std::make_shared<PowerOutcome>();
  auto* chain = new StepChain(this);
  const std::optional<PowerAction> action = SelectedPowerAction(chosen);
  if (action)
    chain->Add([this, action, power](const StepChain::Next& next) {
      // Shut down, restart and log off only begin: the next steps follow at once. A stand-by or
      // hibernate answers after the wake-up, and the next steps wait for it.
      const bool sleeps = RequestFor(*action, ForceShutDown).kind == PowerRequest::Kind::PowerState;
      PerformPowerAction(QString(), [power, next, sleeps](const PowerAnswer& answer) {
        power->answer = answer;
        if (sleeps)
          next();
        else if (power->report)
          std::exchange(power->report, nullptr)();
      });
      if (!sleeps)
        next();
    });
  if (chosen.PlaySoundSelected)
    chain->Add([this, chosen, errors](const StepChain::Next& next) {
      PlaySoundStep(chosen.SoundFileName, [errors, next](const QString& error) {
        if (!error.isEmpty())
          *errors << error;
        next();
      });
    });
  if (chosen.RunApplicationSelected)
    chain->Add([this, chosen, errors](const StepChain::Next& next) {
      if (const QString error = RunApplicationStep(chosen.ApplicationCommand); !error.isEmpty())
        *errors << error;
      next();
    });
  if (chosen.ShowMessageSelected)
    chain->Add([this](const StepChain::Next& next) {
      Guarded([this] { ShowMessageStep(); });
      next();
    });
  if (action)
    chain->Add([power](const StepChain::Next& next) {
      if (power->answer)
        next();
      else
        power->report = next;
    });
  chain->Add([this, errors, power, action](const StepChain::Next& next) {
    for (const QString& error : *errors)
      ShowErrorLater(dialogs_, this, error);
    if (power->answer && !power->answer->accepted)
      ReportPowerRefusal(ActionWord(*action), power->answer->reason);
    next();
  });
  chain->Run();
}

bool TForm1::ExpiryInProgress() const { return findChild<StepChain*>(QString(), Qt::FindDirectChildrenOnly); }

void TForm1::PerformPowerAction(const QString& word, PowerAnswered answered) {
  platform_.EnableShutdownPrivilege();
  const std::optional<PowerAction> action =
      word.isEmpty() ? SelectedPowerAction(Selection) : ActionForWord(word);
  if (!action) {
    if (answered)
      QMetaObject::invokeMethod(
          this, [answered] { answered({}); }, Qt::QueuedConnection);
    return;
  }
  // The answer reaches only a window that still exists.
  const QPointer<TForm1> self(this);
  PowerAnswered reply;
  if (answered)
    reply = [self, answered](const PowerAnswer& answer) {
      if (self)
        answered(answer);
    };
  const PowerRequest request = RequestFor(*action, ForceShutDown);
  if (request.kind == PowerRequest::Kind::Exit)
    platform_.ExitWindows(request.exitFlags, reply);
  else
    platform_.SetSystemPowerState(request.suspend, request.force, reply);
}

void TForm1::PlaySoundStep(const QString& fileName, const std::function<void(const QString& error)>& done) {
  StopPlaying->show();
  PaceTick(); // the tick watches the sound's end
  MediaPlayer1.FileName = fileName;
  // The answer of this opening (or of a later one that overtook it) lets the steps go on.
  auto connection = std::make_shared<QMetaObject::Connection>();
  *connection =
      connect(&MediaPlayer1, &TMediaPlayer::Opened, this, [this, connection, done](const QString& error) {
        disconnect(*connection);
        QString problem = error;
        // A sound whose stop button was clicked while its file opened is not started.
        if (problem.isEmpty() && !StopPlaying->isHidden()) {
          try {
            MediaPlayer1.Play();
          } catch (const Error& e) {
            problem = e.Text();
          }
        }
        done(problem);
      });
  MediaPlayer1.Open();
}

QString TForm1::RunApplicationStep(const QString& command) {
  const QString reason = platform_.RunCommandLine(command);
  if (reason.isEmpty())
    return {};
  return QStringLiteral("The application could not be started:\n%1\n\n%2.")
      .arg(command, reason.left(1).toUpper() + reason.mid(1));
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
  PerformPowerAction(word, [this, word](const PowerAnswer& answer) {
    if (!answer.accepted)
      ReportPowerRefusal(word, answer.reason);
  });
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
  hints_.SetHint(QStringLiteral("Stop playing") + QString(14, QLatin1Char(' ')) +
                     QString::number(position / 1000) + QLatin1Char('/') + QString::number(length / 1000) +
                     QStringLiteral(" s"),
                 true);
}

} // namespace zarvo
