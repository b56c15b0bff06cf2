#include "main/command_line_action.h"

#include "main/power_action.h"
#include "platform/platform.h"

#include <cstdio>

namespace zarvo {

void PerformCommandLineAction(Platform& platform, const QString& word, const std::function<void(int)>& done) {
  const std::optional<PowerAction> action = ActionForWord(word);
  if (!action) {
    done(1);
    return;
  }
  platform.EnableShutdownPrivilege();
  const PowerAnswered answered = [word, done](const PowerAnswer& answer) {
    if (!answer.accepted)
      std::fputs(
          QStringLiteral("zarvo: %1 was refused: %2.\n").arg(word, answer.reason).toLocal8Bit().constData(),
          stderr);
    done(answer.accepted ? 0 : 1);
  };
  // Never forced from the command line, whatever the settings say.
  const PowerRequest request = RequestFor(*action, false);
  if (request.kind == PowerRequest::Kind::Exit)
    platform.ExitWindows(request.exitFlags, answered);
  else
    platform.SetSystemPowerState(request.suspend, request.force, answered);
}

QString NoDisplayToConfirmText(const QString& word) {
  return QStringLiteral("zarvo: %1 needs a confirmation, and there is no display to ask it on; nothing was "
                        "done. Untick \"Show confirmation\" in the Run menu to act without asking.\n")
      .arg(word);
}

} // namespace zarvo
