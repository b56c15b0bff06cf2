// The command line: a power action given as one word, and the --help and --version texts.
#pragma once

#include <QString>
#include <QStringList>
#include <optional>

namespace zarvo {

// The action word ("shutdown", "restart", "logoff", "standby", "hibernate") that the command line
// asks for: exactly the executable's path in double quotes, one blank and the word, ASCII letter
// case ignored. Empty for any other command line (a second argument, a blank more, another word).
QString RequestedActionWord(const QString& commandLine, const QString& executablePath);

// The question asked before a command-line action is carried out.
QString CommandLineConfirmationText(const QString& word);

// Whether the arguments (the program's own path first, as the system passed them) hold --help, -h
// or --version; the help wins over the version.
bool IsInformationRequest(const QStringList& arguments);
// The text printed for that request; `settingsFile` is where the settings live.
QString InformationText(const QStringList& arguments, const QString& settingsFile);

} // namespace zarvo
