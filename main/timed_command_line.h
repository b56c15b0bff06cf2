// A countdown given on the command line: "--after 30m --shutdown", "--at 23:30 --standby --message
// "Good night"". Decides from the argument list alone, before any window exists.
#pragma once

#include "main/countdown.h"
#include "options/action_selection.h"

#include <QString>
#include <QStringList>
#include <optional>

namespace zarvo {

// What to select in the Options window and set in the main window before pressing Start.
struct TimedStart {
  CountdownMode mode = CountdownMode::After;
  int pickerMs = 0;
  ActionSelection selection;
};

struct TimedCommandLine {
  enum class Kind {
    None,  // none of these options: the program starts as usual
    Start, // start the countdown in `start`
    Error, // `error` says what is wrong, in one line
  } kind = Kind::None;
  TimedStart start;
  // --replace: a countdown already running in the session's Zarvo gives way to this one.
  bool replace = false;
  QString error;
};

// Reads the arguments after the program's path. A relative or "~" sound file is taken from
// `currentDirectory` or `homeDirectory` and must be an existing .wav or .mp3 file.
TimedCommandLine ParseTimedCommandLine(const QStringList& arguments, const QString& currentDirectory,
                                       const QString& homeDirectory);

// A duration as "90s", "10m", "2h", "1h30m" (any of h, m, s in that order) or "hh:mm[:ss]", in
// milliseconds; none when it does not read as one. The range is not checked here.
std::optional<qint64> ParseDuration(const QString& text);
// A duration as --after takes it, in milliseconds: at least a second and under a day. Empty when
// it is one, else what is wrong with it (without the "zarvo: " the command line puts before it).
QString CheckDuration(const QString& text, qint64& ms);
// A time of day as "hh:mm" or "hh:mm:ss" (hours 0 to 23), in milliseconds since midnight.
std::optional<int> ParseTimeOfDay(const QString& text);

// The lines that --help gives for these options.
QString TimedUsage();

} // namespace zarvo
