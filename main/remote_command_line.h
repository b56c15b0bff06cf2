// The command line that reaches the session's running Zarvo: --status, --cancel and --postpone, and
// the hand-over of a second start (its countdown, or only bringing the windows back).
#pragma once

#include <QString>
#include <QStringList>
#include <optional>

namespace zarvo {

struct TimedCommandLine;

struct ControlCommandLine {
  enum class Kind {
    None,     // none of these options: the program starts as usual
    Status,   // --status
    Cancel,   // --cancel
    Postpone, // --postpone DURATION
    Error,    // `error` says what is wrong, in one line
  } kind = Kind::None;
  qint64 postponeMs = 0;
  QString error;
};

// Reads the arguments after the program's path. Each of these options stands alone.
ControlCommandLine ParseControlCommandLine(const QStringList& arguments);

// Carries it out against the running Zarvo (blocking: no window exists) and gives the exit status:
// 0 done (--status: a Zarvo answered), 1 nothing is counting or the Zarvo did not answer, 3 no Zarvo
// runs in this session. What went wrong is said on standard error; --status and --postpone print
// the countdown on standard output.
int RunControlCommand(const ControlCommandLine& command);

// Hands this start over to the session's running Zarvo: the countdown `timed` gives, or else its
// windows brought back. The exit status, or nothing when that Zarvo has gone meanwhile and this one
// is to start after all.
std::optional<int> HandOverToRunningZarvo(const TimedCommandLine& timed);

} // namespace zarvo
