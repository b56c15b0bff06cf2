// Starting the user's application command line the way a Linux user types it: shell quoting,
// an unquoted program path with blanks, no shell in between.
#pragma once

#include <QString>
#include <QStringList>
#include <functional>

namespace zarvo {

// A command line taken apart: the program and its arguments, or why it cannot be started.
struct LaunchPlan {
  QString program;
  QStringList arguments;
  QString error; // empty when the plan can be carried out
};

// Takes a command line apart. An absolute program path may contain blanks unquoted, as the file
// dialog returns it: of the prefixes that end at a blank (or at the end), the longest that names an
// existing file (`isFile`) is the program, and the rest are its arguments. Everything else follows
// the shell's quoting (single and double quotes, backslashes); nothing is expanded, so "$(...)",
// ";", backquotes and "*" reach the program as text.
LaunchPlan PlanCommandLine(const QString& commandLine, const std::function<bool(const QString&)>& isFile);

// Starts the plan's program detached, searching PATH for a bare name. Returns empty on success,
// else the reason in words.
QString StartDetached(const LaunchPlan& plan);

} // namespace zarvo
