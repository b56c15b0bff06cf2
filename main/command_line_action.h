// A power action given as the one word on the command line, carried out without any window: the
// program waits for the system's answer and ends with a status that says whether it was done.
#pragma once

#include <QString>

#include <functional>

namespace zarvo {

class Platform;

// Carries out the action `word` names, never forced, and calls `done` with the exit status once the
// system has answered: 0 when it took the request, 1 when it refused (said on standard error).
void PerformCommandLineAction(Platform& platform, const QString& word, const std::function<void(int)>& done);

// Said on standard error when the confirmation is on and no display is there to ask it on.
QString NoDisplayToConfirmText(const QString& word);

} // namespace zarvo
