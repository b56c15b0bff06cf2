#include "main/countdown_warning.h"

namespace zarvo {

void WarningSchedule::Start(int remainingMs) {
  for (std::size_t i = 0; i < kWarningSeconds.size(); ++i)
    armed_[i] = remainingMs >= kWarningSeconds[i] * 1000;
}

int WarningSchedule::Due(int remainingMs) {
  int due = 0;
  for (std::size_t i = 0; i < kWarningSeconds.size(); ++i) {
    // The reading shows "seconds" while the remaining time is under one more second.
    const int shownUpToMs = (kWarningSeconds[i] + 1) * 1000;
    if (remainingMs >= shownUpToMs) {
      armed_[i] = true;
    } else if (armed_[i]) {
      armed_[i] = false;
      due = kWarningSeconds[i]; // the later entries are the smaller numbers
    }
  }
  return due;
}

QString WarningText(PowerAction action, int seconds) {
  // A log-off ends the user's session, not the computer's run.
  if (action == PowerAction::LogOff)
    return QStringLiteral("You will be logged off in %1 seconds").arg(seconds);
  QString what;
  switch (action) {
  case PowerAction::ShutDown: what = QStringLiteral("shut down"); break;
  case PowerAction::Restart: what = QStringLiteral("restart"); break;
  case PowerAction::LogOff: what = QStringLiteral("log off"); break;
  case PowerAction::StandBy: what = QStringLiteral("suspend"); break;
  case PowerAction::Hibernate: what = QStringLiteral("hibernate"); break;
  }
  return QStringLiteral("The computer will %1 in %2 seconds").arg(what).arg(seconds);
}

} // namespace zarvo
